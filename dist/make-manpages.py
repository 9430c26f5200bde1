#!/usr/bin/env python3
"""Writes the manual pages partwell.1 and partwell-cli.1 from README.md, so that the README's command
reference is the only text to keep. A page is the README section between the comment lines
"<!-- man PAGE: SUMMARY -->" and "<!-- end man -->": its paragraphs, indented examples, "- " lists
and "###" sub-headings, with `code` set in bold.

Usage: dist/make-manpages.py README.md VERSION OUT_DIR   (writes OUT_DIR/PAGE.1.gz)
"""
import gzip
import os
import re
import sys

START = re.compile(r"^<!-- man ([a-z-]+): (.*) -->$")
END = "<!-- end man -->"


def sections(lines):
    page, summary, body = None, None, []
    for line in lines:
        m = START.match(line)
        if m:
            page, summary, body = m.group(1), m.group(2), []
        elif line.strip() == END and page:
            yield page, summary, body
            page = None
        elif page:
            body.append(line)


def escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return re.sub(r"`([^`]*)`", r"\\fB\1\\fR", text).replace("**", "")


def line_start(text):
    return "\\&" + text if text[:1] in (".", "'") else text


def roff(page, summary, version, body):
    out = ['.TH %s 1 "" "Partwell %s" "User Commands"' % (page.upper().replace("-", "\\-"), version),
           ".SH NAME", "%s \\- %s" % (page.replace("-", "\\-"), escape(summary))]
    para, in_code = [], False

    def flush():
        if para:
            out.append(".PP")
            out.append(line_start(escape(" ".join(para))))
            para.clear()

    for raw in body:
        line = raw.rstrip("\n")
        if line.startswith("    ") or (in_code and not line.strip()):
            if not in_code:
                flush()
                out.extend([".PP", ".nf", ".RS 4"])
                in_code = True
            if line.strip():
                out.append(line_start(escape(line[4:]).replace("\\fB", "").replace("\\fR", "")))
            continue
        if in_code:
            out.extend([".RE", ".fi"])
            in_code = False
        if line.startswith("#"):
            flush()
            level = len(line) - len(line.lstrip("#"))
            title = escape(line.lstrip("#").strip())
            # The section's own heading names the page, which NAME already does.
            out.append(".SH DESCRIPTION" if level <= 2 else ".SS " + title)
        elif line.startswith("- "):
            flush()
            out.extend([".IP \\(bu 2", line_start(escape(line[2:]))])
        elif line.startswith("  ") and out and out[-2:-1] == [".IP \\(bu 2"]:
            out[-1] += " " + escape(line.strip())
        elif not line.strip():
            flush()
        else:
            para.append(line.strip())
    flush()
    if in_code:
        out.extend([".RE", ".fi"])
    return "\n".join(out) + "\n"


def main():
    readme, version, out_dir = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(out_dir, exist_ok=True)
    with open(readme, encoding="utf-8") as f:
        lines = f.readlines()
    written = 0
    for page, summary, body in sections(lines):
        text = roff(page, summary, version, body).encode("utf-8")
        with open(os.path.join(out_dir, page + ".1.gz"), "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as z:
                z.write(text)
        written += 1
    if written != 2:
        sys.exit("make-manpages: expected the sections of partwell and partwell-cli, found %d" % written)


if __name__ == "__main__":
    main()
