// The one libc++ function the core calls that would bring libc++'s string library, and with it
// stdio and the host's file calls, into the WebAssembly build. WebAssembly build only.
#include <cstdio>
#include <string>

namespace std {
inline namespace __2 {

string to_string(unsigned long value) {
    char digits[24];
    snprintf(digits, sizeof digits, "%lu", value);
    return digits;
}

}  // namespace __2
}  // namespace std
