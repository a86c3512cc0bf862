#!/usr/bin/env python3
"""Which source lines a test run executed, from a build made with --coverage, and whether a later
run still executes every line an earlier one did.

    covered_lines.py collect BUILD SOURCE -o before.json [--folders platform,media,...]
    covered_lines.py compare before.json after.json

`collect` runs gcov over every .gcda file in BUILD and keeps the lines of SOURCE (outside tests/
and fuzz/) run at least once, by file, line number and text. Delete the .gcda files before the
run to be measured: a build that runs its own tools (generators) writes counts too. `compare`
lists lines covered before and not after (a changed line counts as the same line when its text
is the same) and prints the totals per folder.
"""
import argparse
import gzip
import json
import os
import subprocess
import sys
import tempfile
from collections import defaultdict


def collect(build, source, folders):
    source = os.path.realpath(source)
    build = os.path.realpath(build)  # gcov runs in a temporary directory
    covered = defaultdict(set)
    gcdas = [os.path.join(d, f) for d, _, fs in os.walk(build) for f in fs if f.endswith(".gcda")]
    with tempfile.TemporaryDirectory() as out:
        for gcda in gcdas:
            subprocess.run(["gcov", "--json-format", "-o", os.path.dirname(gcda), gcda], cwd=out,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
            for name in os.listdir(out):
                with gzip.open(os.path.join(out, name), "rt") as f:
                    data = json.load(f)
                os.remove(os.path.join(out, name))
                for entry in data["files"]:
                    path = os.path.realpath(os.path.join(data.get("current_working_directory", ""),
                                                         entry["file"]))
                    rel = os.path.relpath(path, source)
                    if rel.startswith("..") or rel.split(os.sep)[0] in ("tests", "fuzz"):
                        continue
                    if folders and not any(rel.startswith(f) for f in folders):
                        continue
                    for line in entry["lines"]:
                        if line["count"] > 0:
                            covered[rel].add(line["line_number"])
    result = {}
    for rel, numbers in sorted(covered.items()):
        with open(os.path.join(source, rel), encoding="utf-8", errors="replace") as f:
            text = f.read().split("\n")
        result[rel] = {str(n): text[n - 1].strip() if n <= len(text) else "" for n in sorted(numbers)}
    return result


def folder(rel):
    parts = rel.split("/")
    return "/".join(parts[:2]) if parts[0] in ("tools", "platform") and len(parts) > 2 else parts[0]


def compare(before, after):
    lost = []
    totals = defaultdict(lambda: [0, 0])
    for rel, lines in before.items():
        now = after.get(rel, {})
        texts = defaultdict(int)
        for text in now.values():
            texts[text] += 1
        for number, text in lines.items():
            totals[folder(rel)][0] += 1
            if now.get(number) == text:
                continue
            if texts[text] > 0:  # moved, still run
                texts[text] -= 1
                continue
            lost.append(f"{rel}:{number}: {text}")
    for rel, lines in after.items():
        totals[folder(rel)][1] += len(lines)
    print(f"{'folder':24} {'before':>8} {'after':>8}")
    for name, (b, a) in sorted(totals.items()):
        print(f"{name:24} {b:8} {a:8}")
    print(f"{'all':24} {sum(b for b, _ in totals.values()):8} {sum(a for _, a in totals.values()):8}")
    for line in lost:
        print("no longer run:", line)
    return 1 if lost else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    c = sub.add_parser("collect")
    c.add_argument("build")
    c.add_argument("source")
    c.add_argument("-o", "--output", required=True)
    c.add_argument("--folders", default="", help="comma-separated path prefixes to keep")
    m = sub.add_parser("compare")
    m.add_argument("before")
    m.add_argument("after")
    args = parser.parse_args()
    if args.command == "collect":
        folders = [f for f in args.folders.split(",") if f]
        with open(args.output, "w", encoding="utf-8") as f:
            json.dump(collect(args.build, args.source, folders), f, indent=0, ensure_ascii=False)
        return 0
    with open(args.before, encoding="utf-8") as b, open(args.after, encoding="utf-8") as a:
        return compare(json.load(b), json.load(a))


if __name__ == "__main__":
    sys.exit(main())
