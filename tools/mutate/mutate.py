#!/usr/bin/env python3
"""Mutation testing for the game's logic: one small fault at a time, does the suite notice?

  mutate.py sites [--area platform]                how many mutation sites each file has
  mutate.py sample --seed 21 --size 160 -o S.json  a fixed, seeded sample of mutants
  mutate.py run S.json -o R.jsonl [--build DIR]    build and test every mutant of the sample
  mutate.py report R.jsonl                         score and survivors

A mutant is named by its file, the text of its line, the operator and which match on that line
it is (and which of several identical lines), never by a line number, so a sample stays valid
after the tests change or other commits move lines. `run` skips mutants already in the results
file, so an interrupted run continues where it stopped.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
# Where mutants are drawn from. The logic is what the first sample measures; the platform (the
# toolkit, the SDL and headless backends, the picture catalogue) and the content tools that the
# test program links (question packs, sound and clip generators) have a sample of their own.
AREAS = {
    "logic": ["game", "saves", "startup", "anim", "app", "io"],
    "platform": ["platform", "platform/sdl", "platform/headless", "media"],
    "content": ["tools/qst", "tools/sfxgen", "tools/clipgen"],
}
FOLDERS = AREAS["logic"]
# What a generated sound or clip is made of (tones, envelopes, shapes, colours) is judged by
# listening and looking, as widget places are; the generators' machinery is mutated.
DESIGN_FILES = re.compile(r"^tools/(sfxgen/sounds_|clipgen/(scene_|studio|paint|stage_))")
JOURNAL = ".mutate-journal.json"  # the file being mutated and its original text, until restored

# Operators on one line of code with strings and comments blanked out. clang-format puts spaces
# around binary operators, which tells a comparison from a template's angle brackets.
COMPARISONS = {" == ": " != ", " != ": " == ", " < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > "}
LOGICAL = {" && ": " || ", " || ": " && "}
NUMBER = re.compile(r"(?<![\w.])(\d+)(?=[uUlL]*(?:ms|s)?\b)(?![.\d]|[eExX'])")
CONDITION = re.compile(r"\b(if|while)\s*\(")
CALL_STATEMENT = re.compile(r"^(\s*)((?:[A-Za-z_]\w*(?:::|\.|->))*[A-Za-z_]\w*)\s*\((.*)\);\s*$")
# Where a widget sits and how it looks is checked by looking at the screens (and by the drawing
# tests), not by mutating: no constant on a line that places, sizes or styles a widget, no
# deleted call that only does that, and no array's declared size.
LAYOUT = re.compile(r"\b(Move|SetLeft|SetTop|SetWidth|SetHeight|SetFont|SetTransparent|SetWordWrap|"
                    r"SetAutoSize|SetBackColour|SetForeColour|SetAlignment|BringToFront|SetPointer|"
                    r"SetBorderWidth|SetLineColour|SetFillColour|"
                    r"cross)\(|Font\{|(Left|Top|Width|Height|left|top|width|height)\w*\[\d*\]\s*=")
DECLARED_SIZE = re.compile(r"^\s*(static\s+)?(constexpr\s+|const\s+)*[\w:<>, ]+\s+\w+(\[\d+\])+\s*(=|;|\{)")
# Tests of generated content and of the platform only: they run none of the mutated code, and
# those in real time fail now and then on a loaded machine
# (measured: they are also two thirds of the suite's time).
SKIP = ("QstCheck.ShippedQuestionsPass:Sfx*:RenderClip*:SoundDevice*:ClipOnScreen*:SoundChannels*:MutedMedia*:"
        "*ClipPlayback*:ClipWakeUp*")
# For the platform and the tools every test may see the mutant: nothing is left out.
SKIP_BY_AREA = {"logic": SKIP}
# Whole games and every screen drawn: they may kill anything, but take seconds each.
SLOW = "ScaledRender.NoTextIsCut*:SoundMix*:Soak*"
# The tests that exercise each folder most directly: run first, they kill most of its mutants.
NEAR = {
    "game": "Game*:FiftyFifty*:Audience*:Phone*:Lifelines*:PrizeLadder*:WonLevel*:QuestionSelection*:"
            "QuestionRecord*:RecentQuestions*",
    "anim": "Game*:Audience*:Phone*:FiftyFifty*:Lifelines*",
    "saves": "Save*:Load*:Slot*",
    "startup": "StartUp*:Splash*:Menu*:Rules*:Credits*:QuestionFileNames*:MediaChecklist*:DisplayMode*",
    "app": "GamePaths*:CommandLine*:PlayerDirectory*:StartUp*:Game.*",
    "io": "Cp1250*:ReplaceFile*:ReadLeadingBytes*:QuestionRecord*:SaveSlots*:RecentQuestions*",
    "platform": "Runtime*:KeyCodes*:TextMetrics*:DisplayMode*:Splash*:Menu*:Rules*",
    "platform/sdl": "Runtime*:KeyCodes*:TextMetrics*:WavData*:SoundFiles*:Video*:Clip*:*ClipPlayback*:"
                    "SoundChannels*:MutedMedia*:SoundDevice*:GameWindow*:DirtyDrawing*:DisplayMode*",
    "platform/headless": "Runtime*:StartUp*:Splash*:Menu*:Game.*",
    "media": "PictureCatalogue*:ColourStates*:AudienceGraphBackdrop*:Ladder*:Pointer*:MediaNames*:Art*",
    "tools/qst": "Qst*",
    "tools/sfxgen": "Sfx*",
    "tools/clipgen": "AviWriter*:ClipCatalogue*:Countdown*:RenderClip*",
}
NOT_CALLS = {"return", "if", "while", "for", "switch", "sizeof", "static_assert", "delete", "throw"}


def blank_strings_and_comments(line, in_block):
    """The line with string/char literals and comments replaced by spaces (same length)."""
    out, i, n = [], 0, len(line)
    while i < n:
        if in_block:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i, in_block = end + 2, False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_block = True
            continue
        if c in "\"'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), in_block


def matching_paren(code, open_at):
    depth = 0
    for j in range(open_at, len(code)):
        if code[j] == "(":
            depth += 1
        elif code[j] == ")":
            depth -= 1
            if depth == 0:
                return j
    return -1


def line_sites(line, code, designing=False):
    """(operator, start, end, replacement) for every mutation on one line; code is blanked."""
    sites = []
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or "static_assert" in code:
        return sites
    for table, name in ((COMPARISONS, "comparison"), (LOGICAL, "and-or")):
        for op, repl in table.items():
            for m in re.finditer(re.escape(op), code):
                # "a < b" but not "<<", "->" or a template's closing "> >".
                if op in (" < ", " > ") and (code[m.start() - 1 : m.start()] in "<>-" or
                                             code[m.end() : m.end() + 1] in "<>="):
                    continue
                sites.append((name, m.start(), m.end(), repl))
    for m in NUMBER.finditer(code if not (designing or LAYOUT.search(code)) else ""):
        after = code[m.end():]
        if after.startswith(">") or (after.startswith("]") and DECLARED_SIZE.match(code)):
            continue
        value = int(m.group(1))
        sites.append(("constant", m.start(1), m.end(1), str(value + 1)))
    for m in CONDITION.finditer(code):
        close = matching_paren(code, m.end() - 1)
        if close > 0 and "constexpr" not in code[m.start():m.end() + 10]:
            inner = line[m.end():close]
            sites.append(("negate", m.end(), close, "!(" + inner + ")"))
    call = CALL_STATEMENT.match(code)
    if (call and call.group(2).split("::")[0] not in NOT_CALLS and "=" not in code.split("(")[0]
            and not LAYOUT.search(code)):
        if matching_paren(code, code.index("(")) == len(code.rstrip()) - 2:
            start = len(call.group(1))
            sites.append(("delete-call", start, len(line.rstrip()), ";"))
    sites.sort(key=lambda s: (s[1], s[0]))
    return sites


def source_files(build, folders=None):
    """The sources of the folders linked into the test program (others no test could ever run)."""
    files = []
    for folder in folders or FOLDERS:
        for path in sorted((ROOT / folder).glob("*.cpp")):
            rel = path.relative_to(ROOT).as_posix()
            if DESIGN_FILES.match(rel):
                continue
            if build is None or rel in linked_sources(build):
                files.append(rel)
    return files


_linked = None


def linked_sources(build):
    global _linked
    if _linked is None:
        out = subprocess.run(["ninja", "-C", str(build), "-t", "commands", test_target()],
                             capture_output=True, text=True, check=True).stdout
        _linked = set()
        for m in re.finditer(r"-c (\S+\.cpp)", out):
            p = Path(m.group(1))
            try:
                _linked.add(p.resolve().relative_to(ROOT).as_posix())
            except ValueError:
                pass
    return _linked


def test_target():
    return "tests/tolarka_tests"


def file_mutants(rel):
    """Every mutant of one file, with its identity and where it is today."""
    lines = (ROOT / rel).read_text(encoding="utf-8").split("\n")
    in_block, seen, mutants, designing = False, {}, [], False
    for number, line in enumerate(lines):
        code, in_block = blank_strings_and_comments(line, in_block)
        # A screen's Design() only lays its widgets out: its numbers are places and sizes.
        if re.match(r"^\w.*::Design\(.*\{$", code):
            designing = True
        elif code.startswith("}"):
            designing = False
        key = line.strip()
        dup = seen.get(key, 0)
        seen[key] = dup + 1
        per_op = {}
        for op, start, end, repl in line_sites(line, code, designing):
            k = per_op.get(op, 0)
            per_op[op] = k + 1
            mutants.append({"file": rel, "text": key, "dup": dup, "op": op, "k": k,
                            "line": number + 1, "was": line[start:end].strip(),
                            "now": repl.strip(), "_span": (number, start, end, repl)})
    return mutants


def mutant_id(m):
    return f"{m['file']}|{m['dup']}|{m['op']}|{m['k']}|{m['text']}"


def locate(m):
    """The same mutant in today's file, or None if its line changed or went away."""
    for cur in file_mutants(m["file"]):
        if (cur["text"], cur["dup"], cur["op"], cur["k"]) == (m["text"], m["dup"], m["op"], m["k"]):
            return cur
    return None


def apply(m, original):
    lines = original.split("\n")
    number, start, end, repl = m["_span"]
    lines[number] = lines[number][:start] + repl + lines[number][end:]
    return "\n".join(lines)


def restore_journal():
    """Put back a file a killed run left mutated."""
    journal = ROOT / JOURNAL
    if journal.exists():
        saved = json.loads(journal.read_text(encoding="utf-8"))
        (ROOT / saved["file"]).write_text(saved["original"], encoding="utf-8")
        journal.unlink()
        print(f"restored {saved['file']} left mutated by an earlier run", file=sys.stderr)


class Mutated:
    """The file holds the mutant inside the with-block and its original text after it, whatever
    happens: an exception, Ctrl-C, SIGTERM; a journal covers even a killed process."""

    def __init__(self, m):
        self.m, self.path = m, ROOT / m["file"]

    def __enter__(self):
        self.original = self.path.read_text(encoding="utf-8")
        (ROOT / JOURNAL).write_text(json.dumps({"file": self.m["file"], "original": self.original}),
                                    encoding="utf-8")
        self.path.write_text(apply(self.m, self.original), encoding="utf-8")
        return self

    def __exit__(self, *exc):
        self.path.write_text(self.original, encoding="utf-8")
        (ROOT / JOURNAL).unlink(missing_ok=True)
        return False


def run_group(cmd, timeout, env=None, cwd=None):
    """Run commands at once, each in its own process group; the first failure or the timeout
    stops the rest. Returns ('pass'|'fail'|'timeout', seconds, output of the failing one)."""
    started = time.monotonic()
    procs = [subprocess.Popen(c, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, cwd=cwd,
                              start_new_session=True) for c in cmd]
    outcome, text = "pass", ""
    try:
        pending = list(procs)
        while pending:
            for p in list(pending):
                if p.poll() is not None:
                    pending.remove(p)
                    if p.returncode != 0 and outcome == "pass":
                        outcome, text = "fail", p.stdout.read().decode(errors="replace")
            if outcome != "pass":
                break
            if time.monotonic() - started > timeout:
                outcome = "timeout"
                break
            time.sleep(0.05)
    finally:
        for p in procs:
            if p.poll() is None:
                os.killpg(p.pid, signal.SIGKILL)
            p.wait()
            p.stdout.close()
    return outcome, time.monotonic() - started, text


def first_failure(text):
    m = re.search(r"^\[  FAILED  \] (\S+)", text, re.M)
    if m:
        return m.group(1)
    return text.strip().splitlines()[-1][:120] if text.strip() else ""


def area_folders(areas):
    return [f for a in areas.split(",") for f in AREAS[a]]


def near_tests(rel):
    """The tests of the deepest folder holding the file (platform/sdl before platform)."""
    folder = rel.rsplit("/", 1)[0] if rel else ""
    while folder and folder not in NEAR:
        folder = folder.rsplit("/", 1)[0] if "/" in folder else ""
    return NEAR.get(folder, "")


def cmd_sites(args):
    total = 0
    for rel in source_files(args.build, area_folders(args.area)):
        ms = file_mutants(rel)
        total += len(ms)
        counts = {}
        for m in ms:
            counts[m["op"]] = counts.get(m["op"], 0) + 1
        print(f"{len(ms):5} {rel}  " + " ".join(f"{k}={v}" for k, v in sorted(counts.items())))
    print(f"{total:5} total")


def cmd_sample(args):
    everything = [m for rel in source_files(args.build, area_folders(args.area)) for m in file_mutants(rel)]
    picked = random.Random(args.seed).sample(everything, min(args.size, len(everything)))
    picked.sort(key=lambda m: (m["file"], m["line"], m["op"], m["k"]))
    for m in picked:
        del m["_span"]
    out = {"seed": args.seed, "area": args.area, "size": len(picked), "of": len(everything),
           "mutants": picked}
    Path(args.output).write_text(json.dumps(out, indent=1, ensure_ascii=False) + "\n", encoding="utf-8")
    print(f"{len(picked)} of {len(everything)} mutants (seed {args.seed}) -> {args.output}")


def cmd_run(args):
    restore_journal()
    sample = json.loads(Path(args.sample).read_text(encoding="utf-8"))
    results = Path(args.output)
    done = set()
    if results.exists():
        for line in results.read_text(encoding="utf-8").splitlines():
            if line.strip():
                done.add(json.loads(line)["id"])
    build = Path(args.build).resolve()
    env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")
    test_bin = build / test_target()
    shards = args.shards
    if args.skip is None:
        args.skip = SKIP_BY_AREA.get(sample.get("area", "logic"), "")

    def test_cmds(rel):
        """The suite in phases, each split into shards run at once: first the tests of the
        mutated file's folder, then the other quick ones, then the slow ones; most mutants die
        in the first seconds. With --tests, only those tests, in one phase."""
        skip, slow = args.skip.split(":") if args.skip else [], args.slow.split(":") if args.slow else []
        if args.tests:
            return [[["env", f"GTEST_TOTAL_SHARDS={shards}", f"GTEST_SHARD_INDEX={i}", "nice", "-n",
                      str(args.nice), str(test_bin), "--gtest_fail_fast", "--gtest_brief=1",
                      "--gtest_filter=" + args.tests] for i in range(shards)]]
        near = near_tests(rel).split(":") if near_tests(rel) else []
        phases = ([":".join(near) + "-" + ":".join(skip + slow)] if near else [])
        phases += ["*-" + ":".join(skip + slow + near)]
        phases += [":".join(slow) + "-" + ":".join(skip)] if slow else []
        return [[["env", f"GTEST_TOTAL_SHARDS={shards}", f"GTEST_SHARD_INDEX={i}", "nice", "-n",
                  str(args.nice), str(test_bin), "--gtest_fail_fast", "--gtest_brief=1",
                  "--gtest_filter=" + phase] for i in range(shards)] for phase in phases]

    def run_suite(timeout, rel=None):
        total = 0.0
        for phase in test_cmds(rel):
            outcome, seconds, text = run_group(phase, timeout - total, env=env, cwd=build / "tests")
            total += seconds
            if outcome != "pass":
                return outcome, total, text
        return "pass", total, ""

    build_cmd = ["nice", "-n", str(args.nice), "ninja", "-C", str(build), "-j", str(args.jobs),
                 test_target()]

    # The unmutated program must build and pass, or every mutant would look killed.
    if subprocess.run(build_cmd, capture_output=True).returncode != 0:
        sys.exit("the unmutated test program does not build")
    outcome, seconds, text = run_suite(args.timeout)
    if outcome != "pass":
        sys.exit(f"the unmutated suite does not pass ({outcome}): {first_failure(text)}")
    timeout = max(args.timeout_floor, seconds * args.timeout_factor)
    print(f"unmutated suite: {seconds:.1f} s; per-mutant timeout {timeout:.0f} s", flush=True)

    if args.only:
        # Only the mutants an earlier run gave this status, e.g. to see that the killed ones
        # are still killed after tests were cut.
        wanted = set()
        for line in Path(args.previous).read_text(encoding="utf-8").splitlines():
            if line.strip() and json.loads(line)["status"] in args.only.split(","):
                wanted.add(json.loads(line)["id"])
        sample["mutants"] = [m for m in sample["mutants"] if mutant_id(m) in wanted]

    if args.files:
        parts = args.files.split(":")
        sample["mutants"] = [m for m in sample["mutants"] if any(p in m["file"] for p in parts)]
    if args.subsample:
        # A seeded part of the sample, when a whole run does not fit the time at hand: each
        # survivor costs a whole suite, which the real-time platform tests make long.
        keep = random.Random(args.subsample_seed).sample(sample["mutants"], min(args.subsample,
                                                                                len(sample["mutants"])))
        ids = {mutant_id(m) for m in keep}
        sample["mutants"] = [m for m in sample["mutants"] if mutant_id(m) in ids]

    started = time.monotonic()
    with results.open("a", encoding="utf-8") as out:
        for n, m in enumerate(sample["mutants"], 1):
            mid = mutant_id(m)
            if mid in done:
                continue
            cur = locate(m)
            record = {"id": mid, "file": m["file"], "op": m["op"], "was": m["was"], "now": m["now"],
                      "text": m["text"]}
            t0 = time.monotonic()
            if cur is None:
                record.update(status="gone")
            else:
                record["line"] = cur["line"]
                with Mutated(cur):
                    b = subprocess.run(build_cmd, capture_output=True)
                    if b.returncode != 0:
                        record.update(status="build-error")
                    else:
                        outcome, seconds, text = run_suite(timeout, m["file"])
                        record.update(status={"pass": "survived", "fail": "killed",
                                              "timeout": "killed"}[outcome])
                        if outcome == "fail":
                            record["by"] = first_failure(text)
                        elif outcome == "timeout":
                            record["by"] = "timeout"
            record["seconds"] = round(time.monotonic() - t0, 1)
            out.write(json.dumps(record, ensure_ascii=False) + "\n")
            out.flush()
            print(f"[{n}/{len(sample['mutants'])}] {record['status']:11} {record['seconds']:5.1f}s "
                  f"{m['file']}:{record.get('line', '?')} {m['op']} {m['was']!r} -> {m['now']!r}",
                  flush=True)
    # Rebuild the restored sources so the build directory holds the real program again.
    subprocess.run(build_cmd, capture_output=True)
    print(f"run took {time.monotonic() - started:.0f} s", flush=True)


def cmd_report(args):
    records = [json.loads(l) for l in Path(args.results).read_text(encoding="utf-8").splitlines()
               if l.strip()]
    counted = [r for r in records if r["status"] in ("killed", "survived")]
    killed = sum(r["status"] == "killed" for r in counted)
    other = {}
    for r in records:
        if r["status"] not in ("killed", "survived"):
            other[r["status"]] = other.get(r["status"], 0) + 1
    print(f"killed {killed} of {len(counted)} = {100.0 * killed / max(1, len(counted)):.1f} %"
          + "".join(f"; {v} {k}" for k, v in sorted(other.items()))
          + f"; {sum(r.get('seconds', 0) for r in records):.0f} s of mutant runs")
    for r in counted:
        if r["status"] == "survived":
            print(f"  survived {r['file']}:{r.get('line', '?')} {r['op']} {r['was']!r} -> {r['now']!r}"
                  f"   | {r['text']}")


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # so the file is restored on kill too
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--build", default=None, help="build directory (Ninja), e.g. build-mutate")
    sub = p.add_subparsers(dest="command", required=True)
    areas = "logic, or several of " + ", ".join(AREAS) + " joined by commas"
    sub.add_parser("sites").add_argument("--area", default="logic", help=areas)
    s = sub.add_parser("sample")
    s.add_argument("--area", default="logic", help=areas)
    s.add_argument("--seed", type=int, required=True)
    s.add_argument("--size", type=int, required=True)
    s.add_argument("-o", "--output", required=True)
    r = sub.add_parser("run")
    r.add_argument("sample")
    r.add_argument("-o", "--output", required=True)
    r.add_argument("--only", default="", help="statuses (e.g. killed) to take from --previous")
    r.add_argument("--previous", default="", help="results of an earlier run of the sample")
    r.add_argument("--tests", default="",
                   help="only these tests (a gtest filter), e.g. to compare two versions of them")
    r.add_argument("--files", default="", help="only mutants of files whose path holds one of these (':'-separated)")
    r.add_argument("--subsample", type=int, default=0, help="run only this many of the sample, drawn by seed")
    r.add_argument("--subsample-seed", type=int, default=1)
    r.add_argument("--shards", type=int, default=3, help="test processes at once (they mostly wait)")
    r.add_argument("--jobs", type=int, default=1)
    r.add_argument("--nice", type=int, default=15)
    r.add_argument("--skip", default=None,
                   help="tests left out (':'-separated gtest patterns; by default per area)")
    r.add_argument("--slow", default=SLOW, help="tests run after all the others")
    r.add_argument("--timeout-factor", type=float, default=3.0)
    r.add_argument("--timeout-floor", type=float, default=60.0)
    r.add_argument("--timeout", type=float, default=600.0, help="for the unmutated run")
    q = sub.add_parser("report")
    q.add_argument("results")
    args = p.parse_args()
    if args.command in ("sites", "sample", "run") and args.build is None:
        args.build = ROOT / "build-mutate"
    if args.build is not None:
        args.build = Path(args.build)
    {"sites": cmd_sites, "sample": cmd_sample, "run": cmd_run, "report": cmd_report}[args.command](args)


if __name__ == "__main__":
    main()
