#!/usr/bin/env python3
"""A text quiz played with real keystrokes: verdicts, score, code, saved answers, restart."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from e2e import Player, build_quiz, count_colour, expect, parse_args, wait_until  # noqa: E402

QUIZ = """\
kind = "text"
title = "Capitales en jeu"
author = "Testeur"
description = "Trois capitales à trouver."
codes = ["UN1", "DEUX2", "TROIS3"]
link = "https://www.exemple.fr/quiz"

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


def check_header_after_maximising(p):
    """Maximised as a person does it (a double click on the title bar), the header's right block
    is painted at its new place: the link in its blue, "Par :" in dark text."""
    before = p.control(0)["w"]
    main = p.controls[0]
    p.xdo("mousemove", str(main["x"] + main["w"] // 2), str(main["y"] + 10), "click", "--repeat", "2",
          "--delay", "80", "1")
    wait_until(lambda: p.inspect()[0]["w"] > before + 100, "main window maximised")
    time.sleep(1.0)
    p.inspect()
    link, by = p.control(24), p.control(25)
    expect(link["text"], "exemple.fr", "the maker's link shows its site")
    expect(link["x"] > main["x"] + main["w"], True, "link moved right of the old window edge")
    shot = p.screenshot("text-quiz-maximised")
    blue = count_colour(shot, link, "#3232ff")
    expect(blue >= 20, True, f"link painted in RGB(50,50,255) after maximising ({blue} pixels)")
    dark = count_colour(shot, by, "#000000", tolerance=90)
    expect(dark >= 5, True, f"'Par :' painted after maximising ({dark} pixels)")


def main():
    args = parse_args()
    workdir, exe = build_quiz(args, QUIZ, "capitales")

    with Player(args, exe, workdir) as p:
        p.place(20, 20, 1000, 500)  # a known place for the checks below
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
        check_header_after_maximising(p)
        p.close()
    print("text quiz: all checks passed")


if __name__ == "__main__":
    main()
