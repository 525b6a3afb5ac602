#!/usr/bin/env python3
"""A text quiz with accented texts played under Windows whose ANSI code page is not Windows-1252
(Polish 1250, Japanese 932): the texts show as written, a typed accented answer is judged like
any other, and the saved answers file holds the Windows-1252 bytes, as on a French Windows."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2e import Player, build_quiz, expect, keyboard_layout, parse_args, read_bytes  # noqa: E402

LOCALES = ["pl_PL.UTF-8", "ja_JP.UTF-8"]
TITLE, AUTHOR = "Villes à découvrir", "Hélène"
DESCRIPTION = "Œuvres, cafés et « lieux » d’été"
PROMPTS = ["Ville du jet d'eau ?", "Capitale du Québec ?"]
ANSWERS = ["Genève", "Québec"]

QUIZ = f"""\
kind = "text"
title = "{TITLE}"
author = "{AUTHOR}"
description = "{DESCRIPTION}"
codes = ["ÉTÉ1", "DEUX"]

[[questions]]
prompt = "{PROMPTS[0]}"
answer = "{ANSWERS[0]}"

[[questions]]
prompt = "{PROMPTS[1]}"
answer = "{ANSWERS[1]}"
"""


def main():
    args = parse_args()
    with keyboard_layout("fr"):
        for locale in LOCALES:
            play(args, locale)
    print("code page quiz: all checks passed")


def play(args, locale):
    workdir, exe = build_quiz(args, QUIZ, "villes-" + locale.split("_")[0])
    saved = os.path.join(workdir, os.path.basename(exe)[:-3] + "txt")
    with Player(args, exe, workdir, locale=locale) as p:
        expect([p.control(i)["text"] for i in (0, 29, 26, 28)], [TITLE, TITLE, AUTHOR, DESCRIPTION],
               f"{locale}: caption, title, author and description")
        expect([r["text"] for r in p.controls if r["id"] == 3000], PROMPTS, f"{locale}: prompts")
        p.click(4001)
        p.type(ANSWERS[0])
        p.key("Tab")
        p.type(ANSWERS[1])
        p.key("Return")
        p.inspect()
        expect([p.control(4001)["text"], p.control(4002)["text"]], ANSWERS, f"{locale}: typed")
        expect([p.control(5001)["text"], p.control(5002)["text"]], ["BRAVO", "BRAVO"],
               f"{locale}: verdicts")
        expect([p.control(32)["text"], p.control(30)["text"]], [" 2 / 2", "DEUX"],
               f"{locale}: score and code")
        p.screenshot("code-page-" + locale.split(".")[0])
        p.close()
    expect(read_bytes(saved), "Genève\r\nQuébec\r\n".encode("cp1252"), f"{locale}: saved answers file")
    with Player(args, exe, workdir, locale=locale) as p:
        expect([p.control(4001)["text"], p.control(4002)["text"]], ANSWERS, f"{locale}: restored")
        p.close()


if __name__ == "__main__":
    main()
