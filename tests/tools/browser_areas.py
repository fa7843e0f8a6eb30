#!/usr/bin/env python3
"""What a browser engine makes of image-map code. For each row of a JSON file
({"name": ..., "html": ...}, the map named "m") it finds, pixel by pixel, the
rectangle every clickable area covers on a 200 x 100 picture, in document order,
with its href and the tip the program takes from its alt and title, and compares
them with the row's "areas" (x1, y1, x2, y2, link, tip). With --write it puts what
the browser gave into "areas" instead. The import table of
tests/core/map_import_test.cpp reads the same file.

    tests/tools/browser_areas.py [--write] tests/fixtures/import/browser_rows.json

Runs Debian's chromium headless.
"""
import html
import json
import os
import re
import subprocess
import sys
import tempfile

PROBE = """<!DOCTYPE html><html><head><script>
window.addEventListener('load', function () {
  var seen = [], boxes = [];
  for (var y = 0; y < 100; y++) for (var x = 0; x < 200; x++) {
    var e = document.elementFromPoint(x + 0.5, y + 0.5);
    if (!e || e.tagName !== 'AREA') continue;
    var i = seen.indexOf(e);
    if (i < 0) { seen.push(e); boxes.push([x, y, x + 1, y + 1]); continue; }
    var b = boxes[i];
    b[0] = Math.min(b[0], x); b[1] = Math.min(b[1], y);
    b[2] = Math.max(b[2], x + 1); b[3] = Math.max(b[3], y + 1);
  }
  var all = Array.prototype.slice.call(document.getElementsByTagName('area'));
  var out = seen.map(function (e, i) {
    return {order: all.indexOf(e), box: boxes[i], href: e.getAttribute('href'),
            alt: e.getAttribute('alt'), title: e.getAttribute('title')};
  });
  out.sort(function (a, b) { return a.order - b.order; });
  document.documentElement.setAttribute('data-result', JSON.stringify(out));
});
</script></head><body style="margin:0">
<img src="data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw=="
 width="200" height="100" usemap="#m" style="position:absolute;left:0;top:0;z-index:9">
"""


def run(row_html):
    with tempfile.NamedTemporaryFile("w", suffix=".html", delete=False, encoding="utf-8") as f:
        f.write(PROBE + row_html)
        path = f.name
    try:
        dom = subprocess.run(["chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
                              "--window-size=400,300", "--dump-dom", "file://" + path],
                             capture_output=True, text=True, timeout=120).stdout
    finally:
        os.unlink(path)
    m = re.search(r'data-result="([^"]*)"', dom)
    return json.loads(html.unescape(m.group(1))) if m else None


def tip(alt, title):
    # The program's rule: its own older code wrote alt as a quote and the tip.
    if alt and alt[0] == '"' and (title is None or alt[1:] == title):
        return alt[1:]
    if alt:
        return alt
    return title or ""


write = "--write" in sys.argv
path = [a for a in sys.argv[1:] if a != "--write"][0]
rows = json.load(open(path, encoding="utf-8"))
failed = 0
for row in rows:
    got = run(row["html"])
    if got is None:
        print(row["name"], "the browser gave no result")
        failed += 1
        continue
    areas = [a["box"] + [a["href"] or "", tip(a["alt"], a["title"])] for a in got]
    if write:
        row["areas"] = areas
    elif areas != row.get("areas"):
        failed += 1
        print(row["name"], "differs:", json.dumps(areas, ensure_ascii=False))
    else:
        print(row["name"], "agrees")
if write:
    with open(path, "w", encoding="utf-8") as f:
        json.dump(rows, f, ensure_ascii=False, indent=1)
        f.write("\n")
sys.exit(1 if failed else 0)
