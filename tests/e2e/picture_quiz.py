#!/usr/bin/env python3
"""A picture quiz played with real keystrokes: pictures fitted and centred in their boxes, the
answer picture and explanation revealed by a right answer, saved answers, and the reveal again
after a restart."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2e import (Player, build_quiz, expect, expect_colour, parse_args, read_bytes,  # noqa: E402
                 solid_jpeg, toml_list)

# Question i: (answer, explanation, picture size, question colour, answer picture colour or None).
QUESTIONS = [
    ("Paris", "Capitale française, sur la Seine.", (520, 390), "#D02020", "#F0D020"),
    ("Rome", "Capitale de l'Italie, bâtie sur sept collines.", (300, 400), "#2040D0", "#20B040"),
    ("Berlin", "Capitale allemande.", (100, 50), "#C020C0", None),
]
FITTED = [(260, 195), (195, 260), (260, 130)]  # each size scaled into the 260 x 260 box
CODES = ["UN", "DEUX", "TROIS"]


def quiz_file():
    text = ('kind = "picture"\ntitle = "Villes en images"\nauthor = "Testeur"\n'
            'description = "Trois villes à reconnaître."\nreveal = "both"\n'
            f'codes = {toml_list(CODES)}\n')
    for i, (answer, explanation, _, _, answer_colour) in enumerate(QUESTIONS, 1):
        text += (f'\n[[questions]]\nanswer = "{answer}"\nexplanation = "{explanation}"\n'
                 f'media = "img/q{i}.jpg"\n')
        if answer_colour:
            text += f'answer_picture = "img/a{i}.jpg"\n'
    return text


def media_files():
    files = {}
    for i, (_, _, (w, h), colour, answer_colour) in enumerate(QUESTIONS, 1):
        files[f"img/q{i}.jpg"] = solid_jpeg(w, h, colour)
        if answer_colour:
            files[f"img/a{i}.jpg"] = solid_jpeg(w, h, answer_colour)
    return files


def check_layout(p):
    """Each question picture is centred in its question's 260 x 260 box, above the answer area."""
    gx, gy = p.grid_origin()
    for i, (w, h) in enumerate(FITTED, 1):
        left = 46 + 290 * (i - 1)
        picture, field, verdict = p.control(9900 + i, "Static"), p.control(4000 + i), p.control(5000 + i)
        expect((picture["x"] - gx, picture["y"] - gy, picture["w"], picture["h"]),
               (left + (260 - w) // 2, 5 + (260 - h) // 2, w, h), f"question picture {i} on the canvas")
        expect((field["x"] - gx, field["y"] - gy, field["w"]), (left, 275, 260), f"answer field {i}")
        expect((verdict["x"] - gx, verdict["y"] - gy), (left, 294), f"verdict label {i}")
        explanation = p.control(8000 + i, "Static")
        expect((explanation["x"] - gx, explanation["y"] - gy, explanation["w"], explanation["h"]),
               (left, 321, 260, 65), f"explanation label {i}")


def question_pictures(p, shot, revealed):
    for i, (_, _, _, colour, answer_colour) in enumerate(QUESTIONS, 1):
        shown = answer_colour if revealed[i - 1] and answer_colour else colour
        what = "answer picture" if shown != colour else "question picture"
        expect_colour(shot, p.control(9900 + i, "Static"), shown, f"{what} {i} on screen")


def answer(p, field, text, key="Tab"):
    p.fill(field, text)
    p.key(key)
    p.inspect()


def first_run(args, workdir, exe):
    with Player(args, exe, workdir) as p:
        p.place(20, 20, 1000, 760)  # the whole first row of cells in view
        expect(p.control(0)["text"], "Villes en images", "main window caption")
        check_layout(p)
        expect([p.control(8000 + i)["text"] for i in (1, 2, 3)], ["", "", ""], "explanations before answers")
        question_pictures(p, p.screenshot("picture-quiz-start"), [False] * 3)

        answer(p, 4001, "Lyon")
        if p.control(5001)["text"] == "BRAVO":
            raise AssertionError("a wrong answer was accepted")
        expect(p.control(8001)["text"], "", "explanation 1 after a wrong answer")
        question_pictures(p, p.screenshot("picture-quiz-wrong"), [False] * 3)

        answer(p, 4001, "paris", "Return")
        expect(p.control(5001)["text"], "BRAVO", "verdict 1")
        expect(p.control(8001)["text"], QUESTIONS[0][1], "explanation 1 revealed")
        expect(p.control(8002)["text"], "", "explanation 2 still hidden")
        question_pictures(p, p.screenshot("picture-quiz-first-right"), [True, False, False])
        expect(p.control(32)["text"], " 1 / 3", "score")
        expect(p.control(30)["text"], CODES[0], "code box")

        answer(p, 4002, "ROME")
        answer(p, 4003, "Berlin", "Return")
        expect([p.control(5000 + i)["text"] for i in (1, 2, 3)], ["BRAVO"] * 3, "verdicts")
        expect([p.control(8000 + i)["text"] for i in (1, 2, 3)], [q[1] for q in QUESTIONS],
               "explanations revealed")
        # Question 3 has no answer picture: its own picture stays.
        question_pictures(p, p.screenshot("picture-quiz-solved"), [True, True, True])
        expect(p.control(32)["text"], " 3 / 3", "score when solved")
        expect(p.control(30)["text"], CODES[2], "code box when solved")
        p.close()
    expect(read_bytes(os.path.join(workdir, "villes.txt")), b"paris\r\nROME\r\nBerlin\r\n",
           "saved answers file")


def second_run(args, workdir, exe):
    with Player(args, exe, workdir) as p:
        p.place(20, 20, 1000, 760)
        expect([p.control(4000 + i)["text"] for i in (1, 2, 3)], ["paris", "ROME", "Berlin"],
               "restored answers")
        expect([p.control(5000 + i)["text"] for i in (1, 2, 3)], ["BRAVO"] * 3, "verdicts after restart")
        expect([p.control(8000 + i)["text"] for i in (1, 2, 3)], [q[1] for q in QUESTIONS],
               "explanations after restart")
        question_pictures(p, p.screenshot("picture-quiz-restarted"), [True, True, True])
        # Clearing a right answer hides its explanation but leaves the answer picture.
        answer(p, 4001, "xyz")
        expect(p.control(8001)["text"], "", "explanation 1 after clearing")
        question_pictures(p, p.screenshot("picture-quiz-cleared"), [True, True, True])
        expect(p.control(32)["text"], " 2 / 3", "score after clearing")
        p.close()


def main():
    args = parse_args()
    workdir, exe = build_quiz(args, quiz_file(), "villes", media_files())
    first_run(args, workdir, exe)
    second_run(args, workdir, exe)
    print("picture quiz: all checks passed")


if __name__ == "__main__":
    main()
