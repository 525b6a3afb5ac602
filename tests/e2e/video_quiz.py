#!/usr/bin/env python3
"""A video quiz played with real clicks: play writes the question's clip and shows the player in
the band above that question's answer area, stop hides it and deletes the clip, and closing
leaves no clip file behind."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2e import (Player, build_quiz, clip_files, expect, file_gone, file_holds,  # noqa: E402
                 hex_rgb, mean_colour, mjpeg_avi, parse_args, read_bytes, toml_list, wait_until)

QUESTIONS = [("rouge", "red", "Le rouge, couleur primaire."), ("bleu", "blue", "Le bleu du ciel."),
             ("vert", "green", "Le vert des prés.")]
CODES = ["VU", "REVU", "TOUT"]
BAND = (260, 210)
GRID_BACKGROUND = (90, 95, 150)
RED = "#FF0000"


def quiz_file():
    text = ('kind = "video"\ntitle = "Couleurs animées"\nauthor = "Testeur"\n'
            'description = "Quelle couleur passe à l\'écran ?"\nreveal = "explanation"\n'
            f'codes = {toml_list(CODES)}\n')
    for i, (answer, _, explanation) in enumerate(QUESTIONS, 1):
        text += (f'\n[[questions]]\nanswer = "{answer}"\nexplanation = "{explanation}"\n'
                 f'media = "clips/c{i}.avi"\n')
    return text


def long_red_avi():
    """Question 1's clip: long enough to be still playing while the band is looked at."""
    return subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                           "color=c=red:s=160x120:r=5:d=20", "-c:v", "mjpeg", "-q:v", "3",
                           "-pix_fmt", "yuvj444p", "-f", "avi", "-"], capture_output=True, check=True).stdout


def close_to(got, wanted, tolerance=24):
    return all(abs(g - w) <= tolerance for g, w in zip(got, wanted))


def band_colour(p, host, name):
    return mean_colour(p.screenshot(name), host)


def video_seen_in_band(p, colour):
    """The clip's picture fills the player host's band on screen; returns the host row seen."""
    host = p.control(9900, "Static")
    seen = []

    def shown():
        seen.append(band_colour(p, host, "video-quiz-band"))
        return close_to(seen[-1], hex_rgb(colour)) and not close_to(seen[-1], GRID_BACKGROUND)

    try:
        wait_until(shown, f"video band shows {colour}", seconds=20)
    except AssertionError:
        raise AssertionError(f"video band at {host}: expected about {hex_rgb(colour)}, last seen {seen[-1:]}")
    print(f"ok: band colour = {seen[-1]}")
    return host


def check_layout(p):
    gx, gy = p.grid_origin()
    for i in (1, 2, 3):
        left = 46 + 290 * (i - 1)
        at = {ident: (p.control(ident)["x"] - gx, p.control(ident)["y"] - gy)
              for ident in (6000 + i, 7000 + i, 4000 + i, 5000 + i, 8000 + i)}
        expect(at, {6000 + i: (left, 215), 7000 + i: (left, 235), 4000 + i: (left + 20, 215),
                    5000 + i: (left + 20, 234), 8000 + i: (left, 261)},
               f"play, stop, field, verdict and explanation of question {i}")


def host_shown_over(p, i):
    """The player host is visible with the band's size, right above question i's answer area."""
    p.inspect()
    host, play = p.control(9900, "Static"), p.control(6000 + i)
    expect((host["visible"], host["x"], host["y"], host["w"], host["h"]),
           (True, play["x"], play["y"] - BAND[1], BAND[0], BAND[1]), f"player host over question {i}")


def host_hidden(p, what):
    p.inspect()
    host = p.control(9900, "Static")
    if host["visible"] and host["w"] > 0 and host["h"] > 0:
        raise AssertionError(f"{what}: player host shown at {host}")
    print(f"ok: {what}")


def main():
    args = parse_args()
    clips = {i: mjpeg_avi(colour) for i, (_, colour, _) in enumerate(QUESTIONS, 1)}
    clips[1] = long_red_avi()
    files = {f"clips/c{i}.avi": data for i, data in clips.items()}
    files["velto7.avi"] = b"left by an earlier run"
    workdir, exe = build_quiz(args, quiz_file(), "couleurs", files)

    def path(name):
        return os.path.join(workdir, name)

    def holds(i):
        return file_holds(path(f"velto{i}.avi"), clips[i])

    def gone(i):
        return file_gone(path(f"velto{i}.avi"))

    with Player(args, exe, workdir) as p:
        p.place(20, 20, 1000, 560)
        check_layout(p)
        host_hidden(p, "player host hidden before any play")

        p.click(6001)
        wait_until(holds(1), "play 1 writes velto1.avi with clip 1")
        host_shown_over(p, 1)
        band1 = video_seen_in_band(p, RED)
        p.click(6002)
        wait_until(holds(2), "play 2 writes velto2.avi with clip 2")
        wait_until(gone(1), "play 2 deletes velto1.avi")
        host_shown_over(p, 2)
        # The first clip's picture went with it: its band shows the grid again.
        wait_until(lambda: close_to(band_colour(p, band1, "video-quiz-playing-2"), GRID_BACKGROUND),
                   "band 1 shows the grid again once clip 2 plays")
        p.screenshot("video-quiz-playing-2")
        p.click(7002)
        wait_until(gone(2), "stop deletes velto2.avi")
        host_hidden(p, "player host hidden after stop")
        expect(clip_files(workdir, "avi"), ["velto7.avi"], "clip files after stop")

        p.click(6003)
        wait_until(holds(3), "play 3 writes velto3.avi")
        host_shown_over(p, 3)
        p.click(4001)
        p.type("Rouge")
        p.key("Return")
        # Under emulation the third clip's start can hold the GUI thread while the keys queue.
        wait_until(lambda: p.inspect() and p.control(5001)["text"] == "BRAVO", "verdict 1 judged")
        expect(p.control(5001)["text"], "BRAVO", "verdict 1")
        expect(p.control(8001)["text"], QUESTIONS[0][2], "explanation 1 revealed")
        expect(p.control(8002)["text"], "", "explanation 2 hidden")
        expect(p.control(32)["text"], " 1 / 3", "score")
        p.screenshot("video-quiz-answered")
        p.close()
        expect(p.proc.returncode, 0, "player exit status")
    expect(clip_files(workdir, "avi"), [], "clip files after closing")
    expect(read_bytes(path("couleurs.txt")), b"Rouge\r\n\r\n\r\n", "saved answers file")
    print("video quiz: all checks passed")


if __name__ == "__main__":
    main()
