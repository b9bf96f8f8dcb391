#!/usr/bin/env python3
"""Times `vrt lsp` from a change in a 10,000-line member to its diagnostics.

    lsp_bench.py [--vrt build/release/bin/vrt] [--changes 30] [--lines 10000]

A generated project (gen_corpus.py: five members, one of each kind) gets a standard module cut
or padded to --lines lines; the server opens it (the whole project is read and checked once,
with every rule on) and then receives --changes incremental edits in the middle of the member
(a line inserted, then removed), each timed from didChange sent to publishDiagnostics read.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent


def frame(message):
    data = json.dumps(dict(message, jsonrpc="2.0")).encode("utf-8")
    return b"Content-Length: %d\r\n\r\n" % len(data) + data


def read(proc):
    length = 0
    while True:
        line = proc.stdout.readline()
        if not line:
            raise EOFError("vrt lsp ended")
        if line == b"\r\n":
            break
        name, value = line.decode("ascii").split(":", 1)
        if name.lower() == "content-length":
            length = int(value)
    return json.loads(proc.stdout.read(length))


def wait_diagnostics(proc, uri):
    while True:
        m = read(proc)
        if m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == uri:
            return m["params"]["diagnostics"]


def member_of(lines_wanted, folder):
    subprocess.run([sys.executable, str(HERE / "gen_corpus.py"), "--size-mb", "3", "--members", "5",
                    "--out", str(folder), "--name", "LspBench"], check=True, stdout=subprocess.DEVNULL)
    module = next(folder.rglob("*.bas"))
    lines = module.read_bytes().decode("cp932").split("\r\n")
    body = lines[:]
    # Cut at a procedure's end, or repeat the procedures (renamed) until the size is reached.
    while len(lines) < lines_wanted:
        start = next(i for i, l in enumerate(body) if l.startswith(("Public ", "Private ", "Friend "))
                     and ("Sub " in l or "Function " in l))
        copy = [l.replace("(", "%d(" % len(lines), 1) if i == 0 else l
                for i, l in enumerate(body[start:])]
        lines += copy
    lines = lines[:lines_wanted]
    while lines and not lines[-1].startswith("End "):
        lines.pop()
    while len(lines) < lines_wanted:
        lines.append("' padding")
    text = "\r\n".join(lines) + "\r\n"
    module.write_bytes(text.encode("cp932", errors="replace"))
    return module, text


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--vrt", default=str(HERE.parent / "build" / "release" / "bin" / "vrt"))
    ap.add_argument("--changes", type=int, default=30)
    ap.add_argument("--lines", type=int, default=10000)
    args = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="lsp-bench-") as tmp:
        folder = Path(tmp) / "corpus"
        module, text = member_of(args.lines, folder)
        rules = Path(tmp) / "all.vrp"
        subprocess.run([args.vrt, "rules", "--write", str(rules)], check=True)
        proc = subprocess.Popen([args.vrt, "lsp", "--rules", str(rules)], stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE)
        send = lambda m: (proc.stdin.write(frame(m)), proc.stdin.flush())
        send({"id": 1, "method": "initialize", "params": {
            "processId": None, "rootUri": folder.as_uri(), "capabilities": {},
            "initializationOptions": {"language": "en"}}})
        read(proc)
        uri = module.as_uri()
        started = time.perf_counter()
        send({"method": "textDocument/didOpen", "params": {"textDocument": {
            "uri": uri, "languageId": "vb", "version": 1, "text": text}}})
        first = wait_diagnostics(proc, uri)
        opened = time.perf_counter() - started
        middle = args.lines // 2
        times = []
        for i in range(args.changes):
            if i % 2 == 0:
                change = {"range": {"start": {"line": middle, "character": 0},
                                    "end": {"line": middle, "character": 0}},
                          "text": "    Dim benchUnused%d As Long\r\n" % i}
            else:
                change = {"range": {"start": {"line": middle, "character": 0},
                                    "end": {"line": middle + 1, "character": 0}}, "text": ""}
            t0 = time.perf_counter()
            send({"method": "textDocument/didChange", "params": {
                "textDocument": {"uri": uri, "version": i + 2}, "contentChanges": [change]}})
            got = wait_diagnostics(proc, uri)
            times.append((time.perf_counter() - t0) * 1000)
            expected = len(first) + (1 if i % 2 == 0 else 0)
            if len(got) != expected:
                print("lsp_bench: %d diagnostics after change %d, expected %d" %
                      (len(got), i + 1, expected), file=sys.stderr)
                return 1
        send({"id": 2, "method": "shutdown"})
        send({"method": "exit"})
        proc.wait(timeout=30)
        times.sort()
        print("member: %d lines, %d bytes; %d diagnostics" % (args.lines, len(text), len(first)))
        print("open (whole project read and checked): %.1f ms" % (opened * 1000))
        print("didChange -> publishDiagnostics over %d changes: median %.1f ms, 90th %.1f ms, max %.1f ms"
              % (len(times), statistics.median(times), times[int(len(times) * 0.9) - 1], times[-1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
