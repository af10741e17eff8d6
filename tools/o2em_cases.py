#!/usr/bin/env python3
"""Writes the starts of O2em that its own code answered (o2em-cases.json) as a
C++ table for the tests: one O2emCase a start, and one O2emCaseFile a file or
folder of its folder, in the order the file gives them.

usage: o2em_cases.py CASES_JSON OUT_INC"""
import json
import sys

KINDS = {"folder": "FOLDER", "zeros": "ZEROS", "crc32": "CRC32", "text": "TEXT"}


def literal(text):
    """A C++ string literal of the bytes, those that are not plain as escapes."""
    if text is None:
        return "NULL"
    data = text.encode("latin-1")
    plain = b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,:;!=-_/()'#+"
    escapes = {ord("\\"): "\\\\", ord('"'): '\\"', ord("\t"): "\\t", ord("\n"): "\\n",
               ord("\r"): "\\r"}
    return '"' + "".join(chr(b) if b in plain else escapes.get(b, "\\%03o" % b)
                         for b in data) + '"'


def file_row(case_id, name, entry):
    if entry is None:
        kind, size, crc, text = "folder", 0, 0, None
    elif "text" in entry:
        kind, size, crc, text = "text", len(entry["text"].encode("latin-1")), 0, entry["text"]
    elif "zeros" in entry:
        kind, size, crc, text = "zeros", entry["zeros"], 0, None
    else:
        kind, size, crc, text = "crc32", entry["size"], int(entry["crc32"], 16), None
    return "    {%d, %s, O2emCaseFile::%s, %d, 0x%08X, %s}," % (
        case_id, literal(name), KINDS[kind], size, crc, literal(text))


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        cases = json.load(f)["cases"]
    files, starts = [], []
    for case in cases:
        files += [file_row(case["id"], name, None) for name in case["folders"]]
        files += [file_row(case["id"], name, entry) for name, entry in case["files"].items()]
        o2em = case["o2em"]
        rom = case["command line"].split('"')[1]
        starts.append("    {%d, %s, %s, %s, %uu, %s, %s, %s}," % (
            case["id"], literal(case["command line"]), literal(rom), literal(case["options"]),
            o2em["exit"] & 0xFFFFFFFF, "true" if o2em["started"] else "false",
            literal(o2em["says"]), literal(o2em.get("or, with a display that works"))))
    with open(sys.argv[2], "w", encoding="ascii", newline="\n") as out:
        out.write("// Made by tools/o2em_cases.py from tests/o2em-cases.json.\n")
        out.write("const O2emCaseFile kO2emCaseFiles[] = {\n%s\n};\n" % "\n".join(files))
        out.write("const O2emCase kO2emCases[] = {\n%s\n};\n" % "\n".join(starts))


if __name__ == "__main__":
    main()
