// PLACEHOLDER: replaced by the real codec.
