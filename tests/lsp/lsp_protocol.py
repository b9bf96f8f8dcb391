#!/usr/bin/env python3
"""Drives `vrt lsp` through its standard streams, as an editor does, and checks what it answers.

Usage: lsp_protocol.py VRT SOURCE_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

VRT = SOURCE = None
RUNNING = []  # the servers a failed test may leave running


def frame(body):
    data = body.encode("utf-8") if isinstance(body, str) else body
    return b"Content-Length: %d\r\n\r\n" % len(data) + data


def uri_of(path):
    return Path(path).resolve().as_uri()


class Server:
    """One `vrt lsp` process; every byte it writes to stdout must be a framed JSON message."""

    def __init__(self, *args, cwd=None):
        self.proc = subprocess.Popen([VRT, "lsp", *args], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=cwd)
        self.next_id = 0
        self.pending = []
        RUNNING.append(self.proc)

    def send_raw(self, data):
        self.proc.stdin.write(data)
        self.proc.stdin.flush()

    def send(self, message):
        message = dict(message, jsonrpc="2.0")
        self.send_raw(frame(json.dumps(message)))

    def read(self):
        headers = {}
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise EOFError("the server closed its output")
            line = line.decode("ascii")
            assert line.endswith("\r\n"), "header line without CR LF: %r" % line
            if line == "\r\n":
                break
            name, value = line[:-2].split(":", 1)
            headers[name.strip().lower()] = value.strip()
        body = self.proc.stdout.read(int(headers["content-length"]))
        message = json.loads(body.decode("utf-8"))
        assert message["jsonrpc"] == "2.0"
        return message

    def request(self, method, params=None):
        self.next_id += 1
        self.send({"id": self.next_id, "method": method, "params": params or {}})
        return self.wait(lambda m: m.get("id") == self.next_id and "method" not in m)

    def notify(self, method, params=None):
        self.send({"method": method, "params": params or {}})

    def wait(self, match):
        for i, message in enumerate(self.pending):
            if match(message):
                return self.pending.pop(i)
        while True:
            message = self.read()
            if match(message):
                return message
            self.pending.append(message)

    def diagnostics(self, uri):
        return self.wait(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                         and m["params"]["uri"] == uri)["params"]

    def initialize(self, root, **options):
        answer = self.request("initialize", {"processId": None, "rootUri": None,
                                             "workspaceFolders": [{"uri": uri_of(root), "name": "w"}],
                                             "capabilities": {},
                                             "initializationOptions": options})
        self.notify("initialized")
        return answer

    def open(self, path, text=None, version=1):
        if text is None:
            text = Path(path).read_bytes().decode("cp932")
        self.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri_of(path), "languageId": "vb", "version": version, "text": text}})
        return self.diagnostics(uri_of(path))

    def change(self, path, version, *changes):
        self.notify("textDocument/didChange", {
            "textDocument": {"uri": uri_of(path), "version": version},
            "contentChanges": list(changes)})
        return self.diagnostics(uri_of(path))

    def stop(self):
        self.request("shutdown")
        self.notify("exit")
        return self.finish()

    def finish(self):
        out, err = self.proc.communicate(timeout=30)
        assert out == b"" and not self.pending, "unread output: %r %r" % (out, self.pending)
        return self.proc.returncode, err


def check_json(project, rules=None):
    """What `vrt check` finds, by file: (line, rule, message) in report order."""
    args = [VRT, "check", "--lang", "ja", "--format", "json", "--exit-zero", project]
    if rules:
        args[2:2] = ["--rules", rules]
    found = {}
    for f in json.loads(subprocess.run(args, check=True, capture_output=True).stdout):
        # A finding without a line stands on the first line.
        found.setdefault(f["file"], []).append((f["line"] or 1, f["rule"], f["message"]))
    return found


def as_findings(diagnostics):
    return [(d["range"]["start"]["line"] + 1, d["code"], d["message"])
            for d in diagnostics["diagnostics"]]


def edit(line, start, end, text):
    return {"range": {"start": {"line": line, "character": start},
                      "end": {"line": line, "character": end}}, "text": text}


def apply(server, path, version, action):
    (edits,) = action["edit"]["changes"].values()
    changes = [edit(e["range"]["start"]["line"], e["range"]["start"]["character"],
                    e["range"]["end"]["character"], e["newText"]) for e in edits]
    return server.change(path, version, *changes)


class LanguageServerTest(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="vrt-lsp-"))
        self.project = self.folder / "Example"
        shutil.copytree(Path(SOURCE) / "examples", self.project)
        self.rules = self.folder / "all.vrp"
        subprocess.run([VRT, "rules", "--write", str(self.rules)], check=True)

    def tearDown(self):
        while RUNNING:
            proc = RUNNING.pop()
            if proc.poll() is None:
                proc.kill()
            proc.communicate()
        shutil.rmtree(self.folder)

    def test_diagnostics_are_those_of_vrt_check_and_follow_edits(self):
        expected = check_json(str(self.project / "Example.vbp"), str(self.rules))
        server = Server()
        caps = server.initialize(self.folder, rulesFile="all.vrp", language="ja")["result"]
        self.assertEqual(caps["capabilities"]["textDocumentSync"]["change"], 2)
        for name in ("modCommon.bas", "MainForm.frm", "clsCustomer.cls", "pagGauge.pag"):
            path = self.project / name
            got = as_findings(server.open(path))
            self.assertEqual(got, expected.get(str(path), []), name)
            # The project rules took every member into account.
        self.assertTrue(any(r == "TVbUnusedProcedures" for f in expected.values() for _, r, _ in f))

        bas = self.project / "modCommon.bas"
        # A call written in the form makes the module's FormatPrice used: the module's open
        # diagnostics follow, though only the form was checked again.
        unused = "プロシージャ FormatPrice は未使用です。"
        self.assertIn(unused, [m for _, _, m in expected[str(bas)]])
        frm = self.project / "MainForm.frm"
        at = frm.read_bytes().decode("cp932").split("\r\n").index("    Dim found As Long")
        d = as_findings(server.change(frm, 2, edit(at + 1, 0, 0, "    found = FormatPrice(1, True)\r\n")))
        self.assertFalse(any(" found " in m for _, _, m in d), d)
        d = as_findings(server.diagnostics(uri_of(bas)))
        self.assertNotIn(unused, [m for _, _, m in d])
        self.assertEqual(len(d), len(expected[str(bas)]) - 1)

        lines = bas.read_bytes().decode("cp932").split("\r\n")
        at = lines.index("    Dim message As String")
        # An incremental insertion: a new unused local with a name in Japanese, after which
        # the findings below move down one line.
        d = as_findings(server.change(bas, 2, edit(at, 0, 0, "    Dim 金額 As Long\r\n")))
        self.assertIn((at + 1, "TVBUnusedLocalVariables", "ローカル変数 金額 は未使用です。"), d)
        self.assertIn((at + 2, "TVBUnusedLocalVariables", "ローカル変数 message は未使用です。"), d)
        # Positions count UTF-16 units: "金額" is characters 8 to 10 of the line.
        diagnostics = server.change(bas, 3, edit(at, 8, 10, "合計値"))
        self.assertEqual(diagnostics["version"], 3)
        self.assertIn((at + 1, "TVBUnusedLocalVariables", "ローカル変数 合計値 は未使用です。"),
                      as_findings(diagnostics))
        # A character beyond the basic plane is two units (the whole-line range ends after it);
        # the code page has no such character and holds "?" for it.
        d = server.change(bas, 4, edit(at, 0, 0, "    Dim q As Long ' \U0001F600\r\n"))
        (q,) = [x for x in d["diagnostics"] if " q " in x["message"]]
        self.assertEqual(q["range"], {"start": {"line": at, "character": 0},
                                      "end": {"line": at, "character": 22}})
        self.assertEqual((q["source"], q["severity"]), ("vetrin", 2))

        # A full change: the text without Option Explicit.
        text = "\r\n".join(l for l in lines if l != "Option Explicit")
        d = as_findings(server.change(bas, 5, {"text": text}))
        self.assertTrue(any(r == "TVBNeedOptionExplicit" for _, r, _ in d))

        # Closing clears the file's diagnostics; the other files are untouched.
        server.notify("textDocument/didClose", {"textDocument": {"uri": uri_of(bas)}})
        self.assertEqual(server.diagnostics(uri_of(bas))["diagnostics"], [])
        code, err = server.stop()
        self.assertEqual(code, 0, err)

    def test_code_actions_suppress_and_fix(self):
        server = Server("--rules", str(self.rules))
        server.initialize(self.folder, language="en")
        bas = self.project / "modCommon.bas"
        d = server.open(bas)["diagnostics"]
        uri = uri_of(bas)

        def actions(diagnostic):
            answer = server.request("textDocument/codeAction", {
                "textDocument": {"uri": uri}, "range": diagnostic["range"],
                "context": {"diagnostics": [diagnostic]}})
            return {a["title"]: a for a in answer["result"]}

        def find(rule, word, diags):
            return next(x for x in diags if x["code"] == rule and word in x["message"])

        # The certain fix: an explicit Public.
        public = actions(find("TVbProhibitImplicitPublicDeclaration", "FormatPrice", d))
        self.assertEqual(len(public), 3, list(public))
        d = apply(server, bas, 2, public["Make it explicitly Public"])["diagnostics"]
        self.assertFalse(any(x["code"] == "TVbProhibitImplicitPublicDeclaration" for x in d))

        # On this line: the finding goes, the other one of the rule stays.
        local = find("TVBUnusedLocalVariables", "message", d)
        before = sum(x["code"] == "TVBUnusedLocalVariables" for x in d)
        d = apply(server, bas, 3,
                  actions(local)["Suppress TVBUnusedLocalVariables on this line"])["diagnostics"]
        self.assertEqual(sum(x["code"] == "TVBUnusedLocalVariables" for x in d), before - 1)
        # In this file: every finding of the rule goes.
        length = find("TVbLimitLengthOfLine", "", d)
        d = apply(server, bas, 4,
                  actions(length)["Suppress TVbLimitLengthOfLine in this file"])["diagnostics"]
        self.assertFalse(any(x["code"] == "TVbLimitLengthOfLine" for x in d))
        self.assertTrue(any(x["code"] == "TVBUnusedArguments" for x in d))

        # A hover on a finding names its rule and explains it; elsewhere there is none.
        arg = find("TVBUnusedArguments", "withTax", d)
        hover = server.request("textDocument/hover", {
            "textDocument": {"uri": uri}, "position": arg["range"]["start"]})["result"]
        self.assertIn("TVBUnusedArguments", hover["contents"]["value"])
        self.assertIn("never reads", hover["contents"]["value"])
        nothing = server.request("textDocument/hover", {
            "textDocument": {"uri": uri}, "position": {"line": 0, "character": 0}})
        self.assertIsNone(nothing["result"])
        self.assertEqual(server.stop()[0], 0)

    def test_a_file_outside_any_project_and_another_code_page(self):
        alone = self.folder / "lone" / "Alone.bas"
        alone.parent.mkdir()
        text = "Option Explicit\r\nPublic Sub NobodyCalls()\r\n    Dim año As Long\r\nEnd Sub\r\n"
        alone.write_bytes(text.encode("cp1252"))
        server = Server("--rules", str(self.rules))
        server.initialize(self.folder, language="ja")
        # Code page 932 has no "ñ": the text holds "?" in its place, which ends the name.
        got = as_findings(server.open(alone, text))
        self.assertIn((3, "TVBUnusedLocalVariables", "ローカル変数 a は未使用です。"), got)
        # A new code page in the settings checks the open files again; the member rules only:
        # nothing in a one-file table is taken for unused.
        server.notify("workspace/didChangeConfiguration", {"settings": {"vetrin": {"codePage": 1252}}})
        got = as_findings(server.diagnostics(uri_of(alone)))
        self.assertEqual(got, [(3, "TVBUnusedLocalVariables", "ローカル変数 año は未使用です。")])
        self.assertEqual(server.stop()[0], 0)

    def test_malformed_input_gets_errors_and_the_server_goes_on(self):
        server = Server()
        early = server.request("textDocument/hover", {})
        self.assertEqual(early["error"]["code"], -32002)
        server.initialize(self.folder)
        server.send_raw(frame("{not json"))
        self.assertEqual(server.wait(lambda m: "error" in m)["error"]["code"], -32700)
        # A header block without Content-Length: the body after it is skipped.
        server.send_raw(b"Content-Type: x\r\n\r\n" + json.dumps(
            {"jsonrpc": "2.0", "id": 99, "method": "shutdown"}).encode())
        self.assertEqual(server.wait(lambda m: "error" in m)["error"]["code"], -32700)
        unknown = server.request("vetrin/unknown")
        self.assertEqual(unknown["error"]["code"], -32601)
        server.notify("vetrin/unknownNotification")
        bad = server.request("textDocument/hover", {"textDocument": 5})
        self.assertEqual(bad["error"]["code"], -32602)
        # Still serving, and not shut down by the skipped message.
        alive = server.request("textDocument/hover", {
            "textDocument": {"uri": "file:///nowhere.bas"}, "position": {"line": 0, "character": 0}})
        self.assertIsNone(alive["result"])
        self.assertEqual(server.stop()[0], 0)

    def test_exit_without_shutdown_is_status_1(self):
        server = Server()
        server.initialize(self.folder)
        server.notify("exit")
        self.assertEqual(server.finish()[0], 1)


if __name__ == "__main__":
    VRT, SOURCE = os.path.abspath(sys.argv[1]), sys.argv[2]
    unittest.main(argv=sys.argv[:1])
