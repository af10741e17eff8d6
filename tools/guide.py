#!/usr/bin/env python3
"""Writes the user's guide, Zorvane.txt: the parts of README.md marked for it
(between "<!-- guide -->" and "<!-- /guide -->"), as plain text with CRLF line
ends, in UTF-8 with a byte-order mark, which every Notepad reads.

usage: guide.py README_MD GUIDE_TXT"""
import re
import sys


def plain(text):
    """Markdown's inline marks taken out: bold, code and links."""
    text = re.sub(r"\*\*(.+?)\*\*", r"\1", text)
    text = re.sub(r"`([^`]*)`", r"\1", text)
    return re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1 (\2)", text)


def table(rows):
    """A Markdown table as aligned columns, without its rule line."""
    cells = [[plain(c.strip()) for c in row.strip().strip("|").split("|")] for row in rows
             if not re.fullmatch(r"\|[-| :]+\|", row.strip())]
    widths = [max(len(row[i]) for row in cells if i < len(row)) for i in range(len(cells[0]))]
    lines = ["  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip()
             for row in cells]
    lines.insert(1, "  ".join("-" * width for width in widths))
    return lines


def convert(markdown):
    out, rows, in_code = [], [], False
    for line in markdown.splitlines():
        if line.startswith("|"):
            rows.append(line)
            continue
        if rows:
            out += table(rows)
            rows = []
        if line.startswith("```"):
            in_code = not in_code
        elif in_code:
            out.append("    " + line)
        elif line.startswith("#"):
            level, title = re.match(r"(#+)\s*(.*)", line).groups()
            out += [plain(title), ("=" if len(level) <= 2 else "-") * len(plain(title))]
        elif not line.startswith("!["):
            out.append(plain(line))
    if rows:
        out += table(rows)
    return out


def main(source, target):
    markdown = open(source, encoding="utf-8").read()
    title = markdown.splitlines()[0]
    parts = re.findall(r"<!-- guide -->\n(.*?)<!-- /guide -->", markdown, re.S)
    if not parts:
        sys.exit(f"{source}: no part is marked for the guide")
    lines = convert(title + "\n\n" + "\n".join(parts))
    text = "\r\n".join(lines).strip() + "\r\n"
    text = re.sub(r"(\r\n){3,}", "\r\n\r\n", text)
    with open(target, "w", encoding="utf-8-sig", newline="") as out:
        out.write(text)


if __name__ == "__main__":
    main(*sys.argv[1:])
