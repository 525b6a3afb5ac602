#!/usr/bin/env python3
"""Writes the unpacked payloads of the loader tests (raw/*.bin, packed at build time by
`velto pack`) and the two blocks that are stored as they are (stored/empty.packed, a resource of
size 0, and stored/damaged.packed, which does not unpack).
Usage: make_loader_payloads.py OUTPUT_DIR
"""
import os
import sys


def token(text):
    return text.encode("cp1252") + b"|"


def definition(kind, answers, title, author, description, caption1, caption2, questions, mode,
               reveal, colour, count=None):
    """questions: (answer1, answer2, prompt) triples; reveal: the reveal tokens as stored."""
    count = len(questions) if count is None else count
    out = bytes([0, kind + 1, count, answers])
    for text in (title, author, description, caption1, caption2):
        out += token(text)
    for answer1, answer2, prompt in questions:
        out += token(answer1)
        if answers == 2:
            out += token(answer2)
        out += token(prompt)
    out += bytes([mode])
    for text in reveal:
        out += token(text)
    return out + bytes(colour)


def codes(lines):
    return b"".join(line.encode("cp1252") + b"\r\n" for line in lines)


# A zero byte inside a token adds nothing ("A\0na" reads "Ana"); caption2 is an empty token.
TEXT_PLAIN = definition(0, 1, "Capitales", "A\0na", "Trois villes", "Ville", "",
                        [("Paris", "", "France"), ("Rome", "", "Italie"), ("Oslo", "", "Norvège")],
                        0, [], [10, 20, 30])

DEFINITIONS = {
    "text_plain": TEXT_PLAIN,
    "picture_pairs": definition(1, 2, "Animaux", "Bo", "Deux par image", "Nom", "Cri",
                                [("chat", "miaou", "p1"), ("chien", "ouaf", "p2")],
                                1, [], [1, 2, 3]),
    "audio_explained": definition(2, 1, "Sons", "Cy", "", "", "",
                                  [("piano", "", "a1"), ("orgue", "", "a2")],
                                  2, ["un piano", "un orgue"], [200, 100, 50]),
    # Mode 3 carries two tokens per question; only the first is used.
    "video_both": definition(3, 2, "Films", "Di", "", "Titre", "Année",
                             [("Alien", "1979", "v1"), ("Heat", "1995", "v2")],
                             3, ["x1", "skip1", "x2", "skip2"], [7, 8, 9]),
    "text_all_at_end": definition(0, 2, "Fin", "Ed", "", "", "",
                                  [("un", "one", "1"), ("deux", "two", "2")],
                                  4, ["e1", "e2"], [0, 0, 0]),
    # Kind byte 5 and 3 answers are stored as read; mode 7 carries no reveal tokens.
    "odd_values": definition(4, 3, "Bizarre", "Fa", "", "", "", [("a", "", "q1"), ("b", "", "q2")],
                             7, [], [1, 1, 1]),
    "no_questions": definition(0, 1, "Vide", "Gi", "", "", "", [], 2, [], [11, 12, 13]),
    "long_texts": definition(0, 1, "T" * 300, "Hu", "", "", "", [("R" * 300, "", "P" * 259)],
                             0, [], [5, 5, 5]),
    "max_questions": definition(0, 1, "Cent", "Io", "", "", "",
                                [("r%d" % i, "", "q%d" % i) for i in range(1, 97)], 0, [], [9, 9, 9]),
    # Damaged layouts.
    "cut_colour": TEXT_PLAIN[:-1],
    "cut_token": bytes([0, 1, 1, 1]) + b"Sans fin",
    "cut_header": bytes([0, 1, 1]),
    "too_many_questions": definition(0, 1, "Trop", "Ju", "", "", "",
                                     [("r%d" % i, "", "q%d" % i) for i in range(1, 98)], 0, [], [9, 9, 9]),
}

CODES = {
    "codes_two": codes(["K1", "K2"]),
    "codes_three": codes(["AAA", "BBB", "CCC"]),
    "codes_five": codes(["C1", "C2", "C3", "C4", "C5"]),
    "codes_one": codes(["SEUL"]),
    "codes_long": codes(["Z" * 300]),
    "codes_96": codes(["code%d" % i for i in range(1, 97)]),
}


def main():
    out = sys.argv[1]
    for folder in ("raw", "stored"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    for name, data in {**DEFINITIONS, **CODES}.items():
        with open(os.path.join(out, "raw", name + ".bin"), "wb") as f:
            f.write(data)
    with open(os.path.join(out, "stored", "empty.packed"), "wb"):
        pass
    with open(os.path.join(out, "stored", "damaged.packed"), "wb") as f:
        # First code 0x1FF (a literal), second code 0x1FF: above the next free code.
        f.write(b"\xff\xff\xff")


if __name__ == "__main__":
    main()
