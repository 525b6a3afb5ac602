#!/usr/bin/env python3
"""A text quiz played with real keystrokes: verdicts, score, code, saved answers, restart."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2e import Player, build_quiz, expect, parse_args  # noqa: E402

QUIZ = """\
kind = "text"
title = "Capitales en jeu"
author = "Testeur"
description = "Trois capitales à trouver."
codes = ["UN1", "DEUX2", "TROIS3"]

[[questions]]
prompt = "Capitale de la France ?"
answer = "Paris"

[[questions]]
prompt = "Capitale de l'Italie ?"
answer = "Rome"

[[questions]]
prompt = "Capitale de l'Allemagne ?"
answer = "Berlin"
"""


def main():
    args = parse_args()
    workdir, exe = build_quiz(args, QUIZ, "capitales")

    with Player(args, exe, workdir) as p:
        p.place(20, 20, 1000, 500)  # the answer fields sit right of the 544-pixel window's edge
        expect(p.control(0)["text"], "Capitales en jeu", "main window caption")
        expect(p.control(32)["text"], " 0 / 3", "score before any answer")
        p.click(4001)
        p.type("paris")
        p.key("Tab")
        p.type("Rom")
        p.key("Tab")
        p.type("berlni")
        p.key("Return")
        p.inspect()
        expect([p.control(5000 + k)["text"] for k in (1, 2, 3)], ["BRAVO", "Quasiment", "Anagramme"],
               "verdicts after typing")
        expect(p.control(32)["text"], " 1 / 3", "score")
        expect(p.control(30)["text"], "UN1", "code box")
        p.fill(4003, "Berlin")
        p.key("Return")
        p.inspect()
        expect(p.control(5003)["text"], "BRAVO", "verdict after correcting")
        expect(p.control(30)["text"], "DEUX2", "code box at score 2")
        p.screenshot("text-quiz-played")
        p.close()
    with open(os.path.join(workdir, "capitales.txt"), "rb") as f:
        expect(f.read(), b"paris\r\nRom\r\nBerlin\r\n", "saved answers file")

    with Player(args, exe, workdir) as p:
        expect([p.control(4000 + k)["text"] for k in (1, 2, 3)], ["paris", "Rom", "Berlin"], "restored answers")
        expect([p.control(5000 + k)["text"] for k in (1, 2, 3)], ["BRAVO", "Quasiment", "BRAVO"],
               "verdicts after restart")
        expect(p.control(32)["text"], " 2 / 3", "score after restart")
        p.screenshot("text-quiz-restarted")
        p.close()
    print("text quiz: all checks passed")


if __name__ == "__main__":
    main()
