#!/usr/bin/env python3
"""Writes a project of one huge standard module, for the memory benchmark of a single member.

    python3 bench/gen_member.py --size-mb 200 --out /tmp/m200            # generated code
    python3 bench/gen_member.py --size-mb 200 --dense --out /tmp/m200d   # dense code

Generated code is what gen_corpus.py writes (procedures with comments, strings, declarations);
dense code is short statements with one-letter names and many operators, about twice the tokens
per byte, the worst case for the parse's memory. Both are code page 932 with CR LF and
deterministic for a size and seed. The folder gets Project.vbp and Modules/Huge.bas.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_corpus  # noqa: E402


def dense_module(g, target):
    """Procedures of short, operator-heavy statements up to `target` bytes."""
    lines = ['Attribute VB_Name = "Huge"', "Option Explicit"]
    size = sum(len(s) + 2 for s in lines)
    serial = 0
    while size < target:
        serial += 1
        body = ["Private Function F%d(ByVal a As Long, ByVal b As Long) As Long" % serial,
                "Dim i As Long, j As Long, k As Long"]
        for n in range(g.between(20, 60)):
            v = g.pick("ijk")
            body.append("%s = a * %d + b - (i + j) * k / %d" % (v, n, n + 1))
            body.append("%s = %s + 1" % (v, v))
            if g.chance(0.2):
                body.append("If i > j Then k = i Else k = j")
        body.append("F%d = i + j + k" % serial)
        body.append("End Function")
        lines.extend(body)
        size += sum(len(s) + 2 for s in body)
    return lines


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--size-mb", type=float, default=200.0)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--dense", action="store_true", help="dense code instead of generated code")
    ap.add_argument("--out", required=True, help="output folder")
    args = ap.parse_args(argv)
    if args.size_mb <= 0:
        ap.error("--size-mb must be positive")
    g = gen_corpus.Gen(args.seed)
    target = int(args.size_mb * 1024 * 1024)
    if args.dense:
        lines = dense_module(g, target)
    else:
        lines, _ = gen_corpus.make_module(g, "Huge", target)
    os.makedirs(os.path.join(args.out, "Modules"), exist_ok=True)
    with open(os.path.join(args.out, "Modules", "Huge.bas"), "wb") as f:
        f.write(gen_corpus.encode(lines))
    with open(os.path.join(args.out, "Project.vbp"), "wb") as f:
        f.write(gen_corpus.encode(["Type=Exe", "Module=Huge; Modules\\Huge.bas",
                                   'Name="Project"', "AutoIncrementVer=0"]))


if __name__ == "__main__":
    main(sys.argv[1:])
