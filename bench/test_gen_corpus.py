#!/usr/bin/env python3
"""Tests of gen_corpus.py: python3 bench/test_gen_corpus.py"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GEN = os.path.join(HERE, "gen_corpus.py")
PARSE_BENCH = os.path.join(HERE, "..", "build", "release", "bin", "parse_bench")
VRT = os.path.join(HERE, "..", "build", "release", "bin", "vrt")


def generate(out, size_mb=0.3, seed=1, name="BenchProject"):
    return subprocess.run([sys.executable, GEN, "--size-mb", str(size_mb), "--seed", str(seed), "--name", name,
                           "--out", out], capture_output=True, text=True)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def tree_bytes(root):
    out = {}
    for path in sorted(glob.glob(os.path.join(root, "**", "*"), recursive=True)):
        if os.path.isfile(path):
            out[os.path.relpath(path, root)] = read(path)
    return out


def member_files(root):
    return [p for p in glob.glob(os.path.join(root, "*", "*")) if os.path.isfile(p)]


class CorpusTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.tmp.name, "a")
        r = generate(cls.root)
        assert r.returncode == 0, r.stderr

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_same_parameters_give_the_same_bytes_and_another_seed_does_not(self):
        again = os.path.join(self.tmp.name, "b")
        self.assertEqual(generate(again).returncode, 0)
        self.assertEqual(tree_bytes(self.root), tree_bytes(again))
        other = os.path.join(self.tmp.name, "c")
        self.assertEqual(generate(other, seed=2).returncode, 0)
        self.assertNotEqual(tree_bytes(self.root), tree_bytes(other))

    def test_size_is_reached_without_running_far_past_it(self):
        total = sum(os.path.getsize(p) for p in member_files(self.root))
        target = 0.3 * 1024 * 1024
        self.assertGreaterEqual(total, target)
        self.assertLess(total, target * 1.25)
        big = os.path.join(self.tmp.name, "big")
        self.assertEqual(generate(big, size_mb=3).returncode, 0)
        total = sum(os.path.getsize(p) for p in member_files(big))
        self.assertGreaterEqual(total, 3 * 1024 * 1024)
        self.assertLess(total, 3 * 1024 * 1024 * 1.1)

    def test_files_are_code_page_932_with_cr_lf_and_begin_with_a_header(self):
        for path in member_files(self.root) + glob.glob(os.path.join(self.root, "*.vbp")):
            data = read(path)
            self.assertEqual(data.count(b"\r\n"), data.count(b"\n"), path)
            self.assertEqual(data.count(b"\r\n"), data.count(b"\r"), path)
            self.assertTrue(data.endswith(b"\r\n"), path)
            text = data.decode("cp932")  # raises on a byte sequence that is not code page 932
            if not path.endswith(".vbp"):
                self.assertRegex(text, r"^(VERSION |Attribute VB_Name)", path)
                self.assertRegex(text, r"[\u3040-\u30ff\u4e00-\u9fff]", path)

    def test_project_names_every_member_and_every_kind(self):
        vbp = glob.glob(os.path.join(self.root, "*.vbp"))
        self.assertEqual(len(vbp), 1)
        lines = read(vbp[0]).decode("cp932").split("\r\n")
        keys = [l.split("=", 1)[0] for l in lines if "=" in l]
        for key in ["Form", "Module", "Class", "UserControl", "PropertyPage", "Reference", "Object",
                    "AutoIncrementVer"]:
            self.assertIn(key, keys)
        on_disk = {os.path.relpath(p, self.root).replace(os.sep, "/").lower(): p for p in member_files(self.root)}
        named = []
        for l in lines:
            key, _, value = l.partition("=")
            if key in ("Form", "Module", "Class", "UserControl", "PropertyPage"):
                path = value.split(";", 1)[1].lstrip(" ") if ";" in value else value
                self.assertIn("\\", path)
                # The project may name a file in another letter case, as a Windows project does.
                self.assertIn(path.replace("\\", "/").lower(), on_disk, l)
                named.append(path.lower())
        self.assertEqual(len(named), len(on_disk))
        self.assertEqual(len(set(named)), len(named))

    def test_manifest_matches_the_procedures_written(self):
        manifest = read(os.path.join(self.root, "manifest.txt")).decode("utf-8").splitlines()
        totals = dict(l.split("=", 1) for l in manifest if "=" in l and not l.startswith("#"))
        rows = [l.split("\t") for l in manifest if "\t" in l]
        self.assertEqual(int(totals["members"]), len(rows))
        all_procs = 0
        for kind, rel, size, nlines, procs in rows:
            data = read(os.path.join(self.root, rel))
            self.assertEqual(int(size), len(data))
            self.assertEqual(int(nlines), data.count(b"\r\n"))
            text = data.decode("cp932")
            heads = re.findall(r"^(?:(?:Public|Private|Friend) )?(Sub|Function|Property) ", text, re.M)
            ends = re.findall(r"^End (Sub|Function|Property)\r$", text, re.M)
            self.assertEqual(len(heads), int(procs), rel)
            self.assertEqual(len(ends), int(procs), rel)
            # No procedure line is indented with a tab or holds a character that ends a token run.
            for line in text.split("\r\n"):
                if re.match(r"^\s*(End )?((Public|Private|Friend) )?(Sub|Function|Property) ", line):
                    self.assertNotIn("\t", line)
            all_procs += int(procs)
        self.assertEqual(int(totals["procedures"]), all_procs)

    def test_corpus_holds_the_awkward_lines_a_reader_must_handle(self):
        data = b"".join(read(p) for p in member_files(self.root))
        lines = data.split(b"\r\n")
        self.assertTrue(any(l.endswith(b" _") for l in lines), "continued lines")
        self.assertTrue(any(b"\t" in l for l in lines), "tabs")
        self.assertTrue(any(len(l) > 200 for l in lines), "long lines")
        self.assertTrue(any(b'""' in l for l in lines), "doubled quotes in literals")
        self.assertTrue(any(b"Optional ByVal" in l and b" = " in l for l in lines), "optional arguments")
        # A comment ending in a double-byte character whose second byte is "_" (0x5F) is not a
        # continued line; one whose second byte is "\" (0x5C) is no path separator.
        self.assertTrue(any(l.endswith("フォルダ".encode("cp932")) for l in lines))
        self.assertIn("表示".encode("cp932"), data)

    def test_refuses_to_overwrite_a_folder_it_did_not_write(self):
        foreign = os.path.join(self.tmp.name, "foreign")
        os.makedirs(foreign)
        with open(os.path.join(foreign, "keep.txt"), "w") as f:
            f.write("x")
        r = generate(foreign)
        self.assertEqual(r.returncode, 2)
        self.assertTrue(os.path.exists(os.path.join(foreign, "keep.txt")))
        # A corpus it wrote is replaced whole.
        again = os.path.join(self.tmp.name, "again")
        self.assertEqual(generate(again, seed=5).returncode, 0)
        self.assertEqual(generate(again, seed=6).returncode, 0)
        self.assertEqual(tree_bytes(again), tree_bytes(self._fresh(6)))

    def _fresh(self, seed):
        path = os.path.join(self.tmp.name, "fresh%d" % seed)
        self.assertEqual(generate(path, seed=seed).returncode, 0)
        return path


@unittest.skipUnless(os.access(PARSE_BENCH, os.X_OK), "parse_bench is not built (scripts/build.sh release)")
class ParseBenchTest(unittest.TestCase):
    """parse_bench on a small corpus: its figures, and that it notices a parse that lost something."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = os.path.join(self.tmp.name, "c")
        self.assertEqual(generate(self.root, size_mb=0.4, seed=3).returncode, 0)
        self.vbp = os.path.join(self.root, "BenchProject.vbp")

    def tearDown(self):
        self.tmp.cleanup()

    def run_bench(self, *extra):
        r = subprocess.run([PARSE_BENCH, self.vbp] + list(extra), capture_output=True, text=True)
        result = [l for l in r.stdout.splitlines() if l.startswith("RESULT ")]
        fields = dict(f.split("=", 1) for f in result[-1].split()[1:]) if result else {}
        return r, fields

    def test_reports_the_whole_source_and_a_model_that_matches_the_manifest(self):
        r, fields = self.run_bench()
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        size = sum(os.path.getsize(p) for p in member_files(self.root)) + os.path.getsize(self.vbp)
        self.assertEqual(int(fields["bytes"]), size)
        self.assertEqual(int(fields["problems"]), 0)
        self.assertGreater(int(fields["tokens"]), size // 20)
        self.assertGreater(float(fields["mbps"]), 0)
        self.assertGreater(int(fields["peak_kb"]), 0)

    def test_a_lost_procedure_end_or_a_missing_member_is_a_mismatch(self):
        victim = sorted(p for p in member_files(self.root) if p.endswith(".bas"))[0]
        data = read(victim)
        # Turning one "End Sub" into a plain statement merges two procedures into one.
        with open(victim, "wb") as f:
            f.write(data.replace(b"\r\nEnd Sub\r\n", b"\r\nEndSub\r\n", 1))
        r, fields = self.run_bench()
        self.assertEqual(r.returncode, 1)
        self.assertIn(os.path.basename(victim) + ": procedures expected", r.stdout)
        os.remove(victim)
        r, fields = self.run_bench()
        self.assertEqual(r.returncode, 1)
        self.assertIn("member files not found", r.stdout)

    def test_rules_option_times_every_rule(self):
        r, _ = self.run_bench("--rules")
        self.assertIn(r.returncode, (0, 1), r.stderr)
        for name in ["TVbNoCheckFile", "TVBUnusedLocalVariables", "TVBUnusedArguments", "TVbLimitLengthOfLine"]:
            self.assertIn(name, r.stdout)

    def test_bad_arguments_are_refused(self):
        for args in ([], ["--repeat", "0", self.vbp], [os.path.join(self.root, "none.vbp")], [self.vbp, "--bogus"]):
            r = subprocess.run([PARSE_BENCH] + args, capture_output=True, text=True)
            self.assertEqual(r.returncode, 2, args)
            self.assertNotIn("RESULT", r.stdout)


@unittest.skipUnless(os.access(VRT, os.X_OK) and os.access(PARSE_BENCH, os.X_OK), "vrt is not built")
class EndToEndScriptTest(unittest.TestCase):
    """run_e2e.sh on a tiny corpus: every tool runs and lands in one table with the right counts."""

    def test_table_holds_every_tool_and_counts_the_same_files(self):
        env = dict(os.environ, RUNS="1", VETRIN_JOBS="1")
        r = subprocess.run(["bash", os.path.join(HERE, "run_e2e.sh"), "0.2", "11"], capture_output=True,
                           text=True, env=env)
        self.assertEqual(r.returncode, 0, r.stdout[-2000:] + r.stderr[-2000:])
        table = r.stdout[r.stdout.index("== 0."):]
        corpus = os.path.join(HERE, "out", "corpus-0.2mb-s11")
        manifest = dict(l.split("=", 1) for l in read(os.path.join(corpus, "manifest.txt")).decode().splitlines()
                        if "=" in l and not l.startswith("#"))
        vbp_lines = read(os.path.join(corpus, "BenchProject.vbp")).count(b"\r\n")
        wc_row = [l for l in table.splitlines() if l.startswith("wc -l")][0]
        self.assertTrue(wc_row.endswith(" %d lines" % (int(manifest["member_lines"]) + vbp_lines)), wc_row)
        self.assertRegex(table, r"(?m)^vrt check \(9 rules\) .* \d+ output lines$")
        self.assertRegex(table, r"(?m)^parse_bench Analyze .* manifest mismatches: 0$")
        if shutil.which("cloc"):
            self.assertRegex(table, r"(?m)^cloc .* \d+ code, \d+ comment, \d+ blank$")
        self.assertRegex(table, r"(?m)^goal vrt .*MB/s wall.*peak .*x source")
        self.assertRegex(table, r"(?m)^goal parse_bench .*MB/s wall")


if __name__ == "__main__":
    unittest.main()
