"""The HTML statistics report: parsed, and compared with the tab-separated statistics of the
same run. Every member is a row with its counts, the bars have the widths the statistics window
gives them, a totals row sums the columns, and the page needs no other file.

    CheckStatsHtml.py VRT PROJECT_DIR PROJECT
"""
import html.parser
import os
import re
import subprocess
import sys
import tempfile

vrt, folder, project = sys.argv[1:4]


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.sections = []  # body and foot rows: lists of cells (text, data-v, bar width, colour)
        self.external = []
        self.cell = None
        self.row = None
        self.part = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag in ("link", "img", "iframe") or (tag == "script" and "src" in a):
            self.external.append(tag)
        if tag in ("tbody", "tfoot"):
            self.part = tag
        if tag == "tr" and self.part:
            self.row = []
        if tag == "td" and self.row is not None:
            self.cell = {"text": "", "v": a.get("data-v"), "title": a.get("title")}
        if tag == "div" and self.cell is not None and "bar" in a.get("class", ""):
            m = re.search(r"width:([\d.]+)%;background:(#[0-9a-f]{6})", a.get("style", ""))
            self.cell["bar"] = (float(m.group(1)), m.group(2))

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.row.append(self.cell)
            self.cell = None
        if tag == "tr" and self.row is not None:
            self.sections.append((self.part, self.row))
            self.row = None
        if tag in ("tbody", "tfoot"):
            self.part = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell["text"] += data


failed = []
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "stats.html")
    subprocess.run([vrt, "stats", "--html", out, project], cwd=folder, check=True)
    tsv = subprocess.run([vrt, "stats", "--tsv", project], cwd=folder, check=True,
                         capture_output=True, text=True).stdout.splitlines()[1:]
    page = Page()
    page.feed(open(out, encoding="utf-8").read())

expected = [(line.split("\t")[0], [int(n) for n in line.split("\t")[1:]]) for line in tsv]
body = [row for part, row in page.sections if part == "tbody"]
foot = [row for part, row in page.sections if part == "tfoot"]
if page.external:
    failed.append("the page refers to other files: %s" % page.external)
if len(body) != len(expected):
    failed.append("%d rows for %d members" % (len(body), len(expected)))
max_total = max(c[0] for _, c in expected)
max_code = max(c[1] for _, c in expected)
colours = ["#0000ff", "#ffff00", "#808080", "#008000"]
for row, (path, counts) in zip(body, expected):
    if row[0]["title"] != path:
        failed.append("row of %s names %s" % (path, row[0]["title"]))
    denominators = [max_total, max_code, counts[0], counts[0]]
    for k in range(4):
        cell = row[k + 1]
        if cell["text"].strip() != str(counts[k]) or cell["v"] != str(counts[k]):
            failed.append("%s column %d: %r, expected %d" % (path, k + 1, cell["text"], counts[k]))
        want = 100.0 * counts[k] / denominators[k] if denominators[k] else 0.0
        width, colour = cell["bar"]
        if abs(width - want) > 0.01 or colour != colours[k]:
            failed.append("%s column %d: bar %.2f%% %s, expected %.2f%% %s"
                          % (path, k + 1, width, colour, want, colours[k]))
if len(foot) != 1:
    failed.append("%d totals rows" % len(foot))
else:
    sums = [sum(c[k] for _, c in expected) for k in range(4)]
    got = [int(cell["text"]) for cell in foot[0][1:5]]
    if got != sums:
        failed.append("totals %s, expected %s" % (got, sums))

for f in failed:
    print("FAILED:", f)
sys.exit(1 if failed else 0)
