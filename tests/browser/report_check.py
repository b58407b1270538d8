#!/usr/bin/env python3
"""The report of the sample in headless Chromium: it loads with no console message and no resource beside
itself, its DOM holds every section and the three pictures, and a screenshot of it is not one colour.

Usage: report_check.py CHROMIUM VANTREL DOCUMENT"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib


def browse(browser, *arguments):
    """Chromium's standard output and its log (standard error)."""
    run = subprocess.run([browser, "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                          "--enable-logging=stderr", "--v=1", *arguments],
                         capture_output=True, text=True, errors="replace", timeout=120, check=False)
    assert run.returncode == 0, run.stderr[-2000:]
    return run.stdout, run.stderr


def colours(png):
    """The distinct pixels of an 8-bit RGB or RGBA PNG, each row unfiltered as the format defines."""
    chunks, at = {}, 8
    while at < len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + png[at + 8:at + 8 + length]
        at += length + 12
    width, height, depth, colour_type = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    assert png[:8] == b"\x89PNG\r\n\x1a\n" and depth == 8 and colour_type in (2, 6)
    size = 3 if colour_type == 2 else 4
    raw, stride, line, seen = zlib.decompress(chunks[b"IDAT"]), width * size, bytearray(width * size), set()
    for row in range(height):
        kind, above, line = raw[row * (stride + 1)], line, bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
        for i in range(stride):
            a, b, c = line[i - size] if i >= size else 0, above[i], above[i - size] if i >= size else 0
            p = a + b - c
            paeth = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 0xFF
        seen.update(bytes(line[i:i + size]) for i in range(0, stride, size))
    return seen


def main(browser, vantrel, document):
    with tempfile.TemporaryDirectory() as directory:
        report = os.path.join(directory, "report.html")
        subprocess.run([vantrel, "report", document, "-o", report], check=True)
        url = "file://" + report
        dom, log = browse(browser, "--dump-dom", url)
        problems = [line for line in log.splitlines() if ":CONSOLE" in line or "Page load failed" in line]
        problems += [line for line in re.findall(r"URLLoader::Start: (\S+)", log) if line != url]
        assert not problems, "\n".join(problems)
        for text in ("<h2>Summary</h2>", "<h2>Loading conditions</h2>", "<h2>Findings of the engineering checks</h2>",
                     "1004 \"Full load departure\"", "0 errors, 0 warnings"):
            assert text in dom, text
        assert dom.count('class="vantrel-plot"') == 3, "three pictures"

        shot = os.path.join(directory, "report.png")
        browse(browser, "--screenshot=" + shot, "--window-size=1100,2400", url)
        with open(shot, "rb") as png:
            assert len(colours(png.read())) > 2, "the screenshot is blank"


if __name__ == "__main__":
    main(*sys.argv[1:4])
