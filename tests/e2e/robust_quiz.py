#!/usr/bin/env python3
"""A quiz run the untidy ways: from a read-only folder, damaged, and on a Windows without its
media player. Answers are never lost, the person is told, and nothing crashes."""
import glob
import os
import shutil
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from e2e import (PATIENCE, WINE, Player, build_quiz, expect, parse_args, read_bytes,  # noqa: E402
                 run_wine, tone_mp3, wine_env)

QUIZ = """\
kind = "text"
title = "Robuste"
author = "Testeur"
description = "Trois capitales."
codes = ["A", "B", "C"]

[[questions]]
prompt = "France ?"
answer = "Paris"

[[questions]]
prompt = "Italie ?"
answer = "Rome"

[[questions]]
prompt = "Espagne ?"
answer = "Madrid"
"""



def resource_entry(exe, type_name, ident):
    """File offset of the data entry (RVA, size) of a named-type resource of a PE file."""
    data = read_bytes(exe)
    u16, u32 = (lambda at: struct.unpack_from("<H", data, at)[0]), (lambda at: struct.unpack_from("<I", data, at)[0])
    pe = u32(0x3C)
    optional = pe + 24
    rsrc = u32(optional + (96 if u16(optional) == 0x10B else 112) + 16)
    table = optional + u16(pe + 20)
    base = next(rsrc - u32(t + 12) + u32(t + 20) for t in range(table, table + 40 * u16(pe + 6), 40)
                if u32(t + 12) <= rsrc < u32(t + 12) + u32(t + 8))

    def entries(at):
        return [(u32(e), u32(e + 4) & 0x7FFFFFFF) for e in range(at + 16, at + 16 + 8 * (u16(at + 12) + u16(at + 14)), 8)]

    def name(field):
        at = base + (field & 0x7FFFFFFF)
        return data[at + 2:at + 2 + 2 * u16(at)].decode("utf-16-le")

    types = [t for n, t in entries(base) if n & 0x80000000 and name(n).upper() == type_name]
    ids = [i for n, i in entries(base + types[0]) if n == ident]
    return base + entries(base + ids[0])[0][1]


def patch_resource(exe, type_name, ident, rva=None, size=None):
    at = resource_entry(exe, type_name, ident)
    with open(exe, "r+b") as f:
        f.seek(at)
        old_rva, old_size = struct.unpack("<II", f.read(8))
        f.seek(at)
        f.write(struct.pack("<II", old_rva if rva is None else rva, old_size if size is None else size))


def fallback_files(args, exe_name):
    prefix = os.path.join(os.path.abspath(args.work), "wine", "prefix")
    return glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming", "Velto",
                                  exe_name + ".*.txt"))


def answer_box(p, title, press):
    """The texts of the message box of that title, which is then answered with a button."""
    status, out, err = run_wine([p.args.inspector, "--box", title, "--press", str(press), "--wait",
                                 str(int(30 * PATIENCE))], p.env, 60 + 30 * PATIENCE)
    if status != 0:
        raise AssertionError(f"no message box {title!r}: {err.decode(errors='replace')}")
    texts = (line.split("\t")[-1].strip() for line in out.decode("utf-8", "replace").splitlines())
    return " ".join(text for text in texts if text)


class Started(Player):
    """A player whose start shows a message box first: answered before the window is awaited."""

    def __init__(self, args, exe, workdir, box, env=None):
        self.args, self.exe, self.workdir = args, exe, workdir
        self.env = env or wine_env(args)
        self.proc = subprocess.Popen([WINE, exe], cwd=workdir, env=self.env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.box_text = answer_box(self, box, 1) if box else ""
        self.controls = self.inspect(wait=int(40 * PATIENCE))
        self.focus_main()


def read_only_folder(args, exe):
    """Answers typed in a folder that takes no file come back at the next start."""
    source = os.path.join(os.path.abspath(args.work), "lecture-seule-source")
    mounted = os.path.join(os.path.abspath(args.work), "lecture-seule")
    for folder in (source, mounted):
        subprocess.run(["umount", folder], stderr=subprocess.DEVNULL, check=False)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    shutil.copy(exe, source)
    for old in fallback_files(args, "robuste.exe"):
        os.remove(old)
    subprocess.run(["mount", "--bind", source, mounted], check=True)
    try:
        subprocess.run(["mount", "-o", "remount,bind,ro", mounted], check=True)
        ro_exe = os.path.join(mounted, "robuste.exe")
        with Player(args, ro_exe, mounted) as p:
            p.place(20, 20, 1000, 500)  # the answer fields sit right of the 544-pixel window's edge
            p.fill(4001, "Paris")
            p.key("Tab")
            p.close()
        saved = fallback_files(args, "robuste.exe")
        expect(len(saved), 1, "one fallback answers file in the user's folder")
        expect(read_bytes(saved[0]), b"Paris\r\n\r\n\r\n", "answers kept from a read-only folder")
        with Player(args, ro_exe, mounted) as p:
            expect(p.control(4001)["text"], "Paris", "answer restored in the read-only folder")
            p.close()
    finally:
        subprocess.run(["umount", mounted], check=False)


def damaged(args, exe, workdir):
    """A definition pointing outside the image: told, the stand-in shown, the answers untouched."""
    broken = os.path.join(workdir, "abime.exe")
    shutil.copy(exe, broken)
    patch_resource(broken, "PATCH", 104, rva=0x7FF00000)
    answers = os.path.join(workdir, "abime.txt")
    with open(answers, "wb") as f:
        f.write(b"Paris\r\nRome\r\nMadrid\r\n")
    with Started(args, broken, workdir, "Velto") as p:
        expect(p.box_text, "Erreur dans le d\xe9cryptage des reponses", "the damage is told")
        expect(p.control(0)["text"], "nom du velto", "the stand-in quiz")
        p.place(20, 20, 1000, 500)
        p.fill(4001, "remplacant")
        p.close()
    expect(read_bytes(answers), b"Paris\r\nRome\r\nMadrid\r\n", "the stand-in wrote nothing")
    expect(fallback_files(args, "abime.exe"), [], "nor anywhere else")


def media_player_missing(args):
    quiz = ('kind = "audio"\ntitle = "Sons"\nauthor = "T"\ndescription = "D"\ncodes = ["A"]\n'
            '\n[[questions]]\nanswer = "La"\nmedia = "la.mp3"\n')
    workdir, exe = build_quiz(args, quiz, "sons", {"la.mp3": tone_mp3(440)})
    env = wine_env(args)
    env["WINEDLLOVERRIDES"] = env.get("WINEDLLOVERRIDES", "") + ";wmp=d"
    with Started(args, exe, workdir, None, env) as p:
        p.click(6001)
        text = answer_box(p, "Information", 1)
        expect("Media Feature Pack" in text and "Lecteur Windows Media" in text, True,
               "the missing media player is named with where to get it")
        p.click(6001)
        time.sleep(1.5 * PATIENCE)
        status = run_wine([args.inspector, "--box", "Information"], env, 60)[0]
        expect(status, 1, "told once only")
        p.close()


def main():
    args = parse_args()
    workdir, exe = build_quiz(args, QUIZ, "robuste")
    read_only_folder(args, exe)
    damaged(args, exe, workdir)
    media_player_missing(args)
    print("robust quiz: all checks passed")


if __name__ == "__main__":
    main()
