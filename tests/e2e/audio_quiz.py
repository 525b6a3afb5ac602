#!/usr/bin/env python3
"""An audio quiz played with real clicks: each play button writes its question's clip beside the
quiz, playing another question or stopping deletes it, and closing leaves no clip file behind.
An atl.dll planted beside the quiz, which Wine is told to prefer, is never loaded."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2e import (Player, build_quiz, clip_files, expect, file_gone, file_holds,  # noqa: E402
                 parse_args, read_bytes, tone_mp3, toml_list, wait_until)

ANSWERS = ["La", "Mi", "Do"]
FREQUENCIES = [440, 660, 523]
CODES = ["NOTE1", "NOTE2", "NOTE3"]


def quiz_file():
    text = ('kind = "audio"\ntitle = "Notes à l\'oreille"\nauthor = "Testeur"\n'
            'description = "Trois notes à reconnaître."\nreveal = "none"\n'
            f'codes = {toml_list(CODES)}\n')
    for i, answer in enumerate(ANSWERS, 1):
        text += f'\n[[questions]]\nanswer = "{answer}"\nmedia = "sons/note{i}.mp3"\n'
    return text


def check_layout(p):
    gx, gy = p.grid_origin()
    for i in (1, 2, 3):
        left = 46 + 290 * (i - 1)
        at = {ident: (p.control(ident)["x"] - gx, p.control(ident)["y"] - gy)
              for ident in (6000 + i, 7000 + i, 4000 + i, 5000 + i)}
        expect(at, {6000 + i: (left, 5), 7000 + i: (left, 25), 4000 + i: (left + 20, 5),
                    5000 + i: (left + 20, 24)}, f"play, stop, field and verdict of question {i}")
        expect(p.control(6000 + i)["cls"].lower(), "button", f"play button {i} class")


def main():
    args = parse_args()
    clips = {i: tone_mp3(f) for i, f in enumerate(FREQUENCIES, 1)}
    # Files named like clips, left by an earlier run: closing removes these too.
    stale = {"velto5.mp3": b"old clip", "velto.mp3": b"old clip"}
    files = {f"sons/note{i}.mp3": data for i, data in clips.items()}
    files.update(stale)
    files["atl.dll"] = read_bytes(args.planted_dll)
    workdir, exe = build_quiz(args, quiz_file(), "notes", files)

    def path(name):
        return os.path.join(workdir, name)

    def holds(i):
        return file_holds(path(f"velto{i}.mp3"), clips[i])

    def gone(i):
        return file_gone(path(f"velto{i}.mp3"))

    with Player(args, exe, workdir, dll_overrides="atl=n,b") as p:
        p.place(20, 20, 1000, 400)
        check_layout(p)
        expect(clip_files(workdir, "mp3"), ["velto.mp3", "velto5.mp3"], "clip files before any play")

        p.click(6001)
        wait_until(holds(1), "play 1 writes velto1.mp3 with clip 1")
        p.screenshot("audio-quiz-playing-1")
        p.click(6002)
        wait_until(holds(2), "play 2 writes velto2.mp3 with clip 2")
        wait_until(gone(1), "play 2 deletes velto1.mp3")
        p.click(7003)  # any stop button stops whatever plays
        wait_until(gone(2), "stop deletes velto2.mp3")
        expect(clip_files(workdir, "mp3"), ["velto.mp3", "velto5.mp3"], "clip files after stop")
        p.click(6002)
        wait_until(holds(2), "play 2 again writes velto2.mp3")
        p.click(6002)  # the same question again: stopped, deleted, written and played anew
        wait_until(holds(2), "play 2 twice still leaves velto2.mp3")
        p.click(6003)
        wait_until(holds(3), "play 3 writes velto3.mp3")
        expect(clip_files(workdir, "mp3"), ["velto.mp3", "velto3.mp3", "velto5.mp3"],
               "clip files while 3 plays")

        # The quiz is played while a clip plays.
        p.click(4003)
        p.type("do")
        p.key("Return")
        p.inspect()
        expect(p.control(5003)["text"], "BRAVO", "verdict 3")
        expect(p.control(32)["text"], " 1 / 3", "score")
        expect(p.control(30)["text"], CODES[0], "code box")
        p.screenshot("audio-quiz-answered")
        p.close()
        expect(p.proc.returncode, 0, "player exit status")
    expect(clip_files(workdir, "mp3"), [], "clip files after closing")
    expect(read_bytes(path("notes.txt")), b"\r\n\r\ndo\r\n", "saved answers file")
    expect(os.path.exists(path("planted-atl-ran.txt")), False, "the planted atl.dll ran")
    print("audio quiz: all checks passed")


if __name__ == "__main__":
    main()
