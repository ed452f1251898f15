#!/usr/bin/env python3
"""Mutation pass over the portable units: plants one plausible one-line fault at a time,
rebuilds the native tests and records whether the suite notices.

Which units: every .cpp under src/scan, src/shell, src/framework and src/widgets/el/foundation
that the native build compiles (read from its compile_commands.json), i.e. the CORE units.

Which faults (one per mutant, on one line, found on the line with comments and literals
masked out):
  rel     a comparison made off by one or flipped:  <  <=  >  >=  ==  !=
  logic   && and || exchanged, a leading ! dropped
  arith   binary + and - exchanged
  const   an integer literal changed (0 -> 1, 1 -> 0, n -> n + 1), true and false exchanged
  drop    a whole statement on its own line dropped (assignment, call, increment, break,
          continue, return;)

How: the work tree is copied to build/mutation/w<N> (one copy per worker), each copy is built
with the native preset, then for each mutant the line is replaced, the copy is rebuilt and
`ctest` runs the native suite (per-test time-out, stop at the first failure). A mutant that
does not build is "stillborn" and does not count; a failing or hanging suite "kills" it; a
green suite lets it "survive". Survival rate = survived / (killed + survived), reported with
and without the mutants listed in tools/mutation/equivalent.tsv, each with its class and
reason (equivalent: cannot change behaviour; unbuilt: not compiled natively; ignored:
changes behaviour only where no plausible use reaches; elsewhere: tested on another branch).
Lines in #if _WIN32 branches and assert() lines are not mutated: the native build never
runs them.

Usage (from the repository root):
  python3 tools/mutation/mutate.py list
      candidate mutants per unit and per kind
  python3 tools/mutation/mutate.py run --sample 200 --seed 11 --jobs 2 --out build/mutation/before.tsv
      draws a fixed random sample (same seed and sources: same sample) and runs it
  python3 tools/mutation/mutate.py run --replay build/mutation/before.tsv --out build/mutation/after.tsv
      runs the mutants of an earlier run again (found by their line's text, so that edits
      elsewhere in a unit do not lose them), e.g. after adding tests
  python3 tools/mutation/mutate.py summary build/mutation/after.tsv
      figures and the surviving mutants of a result file
The results of the pass that this list of equivalents was made for are kept in results/.
Options: --units REGEX restricts the units; --build-jobs / --test-jobs set the parallelism
inside one worker. Worker copies are kept between runs and refreshed from the work tree.
Needs cmake, ninja and the native toolchain (bash scripts/setup.sh).
"""

import argparse
import concurrent.futures
import csv
import json
import os
import random
import re
import shutil
import subprocess
import sys
import threading

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WORK = os.path.join(ROOT, "build", "mutation")
EQUIVALENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "equivalent.tsv")
LAYERS = ("src/scan/", "src/shell/", "src/framework/", "src/widgets/el/foundation/")
FIELDS = ["id", "unit", "line", "kind", "status", "failed_test", "original", "mutated"]


# ---------------------------------------------------------------- finding mutants

def mask_line(line, in_block_comment):
    """The line with comments and the contents of string and character literals replaced by
    spaces (same length), and whether a block comment is still open at its end."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_block_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_block_comment = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_block_comment = True
            out.append("  ")
            i += 2
            continue
        if c in "\"'":
            # A digit separator (1'000'000) is no character literal.
            if c == "'" and i > 0 and line[i - 1].isalnum():
                out.append(c)
                i += 1
                continue
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), in_block_comment


REL = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ", " != ": " == "}
LOGIC = {" && ": " || ", " || ": " && "}
ARITH = {" + ": " - ", " - ": " + "}
INT_LITERAL = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
BOOL_LITERAL = re.compile(r"\b(true|false)\b")
NOT = re.compile(r"!(?!=)(?=[\w(])")
LVALUE = r"[A-Za-z_][\w.\->\[\]()*:]*"
DROPPABLE = [
    re.compile(r"^" + LVALUE + r"\s*(=|\+=|-=|\*=|/=|\|=|&=|\^=|<<=|>>=)\s*[^=].*;$"),
    re.compile(r"^[A-Za-z_][\w.\->:\[\]]*\(.*\);$"),
    re.compile(r"^(\+\+|--)" + LVALUE + r";$"),
    re.compile(r"^" + LVALUE + r"(\+\+|--);$"),
    re.compile(r"^(break|continue|return);$"),
]


def balanced(text):
    depth = 0
    for c in text:
        depth += {"(": 1, ")": -1}.get(c, 0)
        if depth < 0:
            return False
    return depth == 0


NUMBER = re.compile(r"\b(0[xX][0-9a-fA-F]+|\d+(\.\d*)?)")


def is_data_row(masked):
    # Rows of tables (many literals on one line) are data, not logic.
    return len(NUMBER.findall(masked)) > 3


def mutants_of_line(masked, original, prev_masked):
    """(kind, column, mutated line) for every mutant of one line."""
    stripped = masked.strip()
    if not stripped or stripped.startswith("#") or stripped.startswith("static_assert"):
        return
    if is_data_row(masked):
        return
    for table, kind in ((REL, "rel"), (LOGIC, "logic"), (ARITH, "arith")):
        for op, repl in table.items():
            start = 0
            while True:
                col = masked.find(op, start)
                if col < 0:
                    break
                yield kind, col, original[:col] + repl + original[col + len(op):]
                start = col + 1
    for m in NOT.finditer(masked):
        yield "logic", m.start(), original[:m.start()] + original[m.start() + 1:]
    for m in INT_LITERAL.finditer(masked):
        value = int(m.group(1))
        if stripped.startswith(("case ", "enum", "template")):
            continue
        new = 1 if value == 0 else 0 if value == 1 else value + 1
        yield "const", m.start(), original[:m.start(1)] + str(new) + original[m.end(1):]
    for m in BOOL_LITERAL.finditer(masked):
        new = "false" if m.group(1) == "true" else "true"
        yield "const", m.start(), original[:m.start()] + new + original[m.end():]
    prev = prev_masked.strip()
    if balanced(stripped) and (not prev or prev[-1] in ";{}:" or prev.endswith(")") or prev == "else"):
        if any(p.match(stripped) for p in DROPPABLE) and not stripped.startswith(("return ", "delete ")):
            indent = original[: len(original) - len(original.lstrip())]
            yield "drop", len(indent), indent + "{}  // dropped: " + original.strip()


class NativeBranches:
    """Tracks #if blocks on _WIN32 so that lines the native build never compiles are skipped."""

    def __init__(self):
        self.stack = []  # per open #if: True when its current branch is Windows-only

    def feed(self, stripped):
        """Takes a masked, stripped line; returns whether the native build compiles it."""
        if stripped.startswith("#"):
            directive = stripped[1:].strip()
            if directive.startswith(("if", "ifdef", "ifndef")):
                # None: a condition on something else, both branches are native.
                if "_WIN32" not in directive:
                    self.stack.append(None)
                else:
                    negated = directive.startswith("ifndef") or "!defined" in directive
                    self.stack.append(not negated)
            elif directive.startswith(("else", "elif")) and self.stack:
                if self.stack[-1] is not None:
                    self.stack[-1] = not self.stack[-1]
            elif directive.startswith("endif") and self.stack:
                self.stack.pop()
            return False
        return not any(self.stack)


def mutants_of_unit(relpath):
    with open(os.path.join(ROOT, relpath), encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[0].startswith("// Generated"):
        return []  # generated data tables are checked against their source, not mutated
    in_comment = False
    prev_masked = ""
    branches = NativeBranches()
    out = []
    for number, line in enumerate(lines, 1):
        masked, in_comment = mask_line(line, in_comment)
        if not branches.feed(masked.strip()):
            continue  # a directive, or Windows-only code
        if masked.strip().startswith("assert("):
            continue  # compiled out of the native (RelWithDebInfo) build
        for kind, col, mutated in mutants_of_line(masked, line, prev_masked):
            if mutated != line:
                out.append({"id": f"{relpath}:{number}:{kind}:{col}", "unit": relpath, "line": number,
                            "kind": kind, "original": line, "mutated": mutated})
        if masked.strip():
            prev_masked = masked
    return out


def portable_units(build_dir):
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    units = set()
    for e in entries:
        rel = os.path.relpath(os.path.abspath(os.path.join(e["directory"], e["file"])), ROOT)
        if rel.endswith(".cpp") and rel.startswith(LAYERS):
            units.add(rel)
    return sorted(units)


# ---------------------------------------------------------------- running mutants

def sh(cmd, cwd, timeout):
    try:
        p = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                           timeout=timeout)
        return p.returncode, p.stdout
    except subprocess.TimeoutExpired as e:
        return -1, (e.stdout or b"").decode(errors="replace") if isinstance(e.stdout, bytes) else (e.stdout or "")


def sync_sources(source, copy):
    """Makes copy's sources equal to source's (build output excluded). Only files whose content
    differs are written, with a fresh time, so that the copy's build stays incremental."""
    skip = {"build", ".git", ".cache"}
    seen = set()
    for dirpath, dirnames, filenames in os.walk(source):
        rel_dir = os.path.relpath(dirpath, source)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if d not in skip]
        for name in filenames:
            rel = os.path.normpath(os.path.join(rel_dir, name))
            if rel in skip:
                continue
            seen.add(rel)
            src, dst = os.path.join(source, rel), os.path.join(copy, rel)
            with open(src, "rb") as f:
                data = f.read()
            if os.path.exists(dst):
                with open(dst, "rb") as f:
                    if f.read() == data:
                        continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as f:
                f.write(data)
    for dirpath, dirnames, filenames in os.walk(copy):
        rel_dir = os.path.relpath(dirpath, copy)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if d not in skip]
        for name in filenames:
            rel = os.path.normpath(os.path.join(rel_dir, name))
            if rel not in seen and rel not in skip:
                os.remove(os.path.join(copy, rel))


class Worker:
    def __init__(self, index, args):
        self.dir = os.path.join(WORK, f"w{index}")
        self.args = args

    def prepare(self):
        sync_sources(ROOT, self.dir)
        if not os.path.exists(os.path.join(self.dir, "build", "native", "build.ninja")):
            rc, out = sh(["cmake", "--preset", "native"], self.dir, 600)
            if rc != 0:
                raise RuntimeError("configure failed in " + self.dir + "\n" + out)
        rc, out = self.build()
        if rc != 0:
            raise RuntimeError("the unmutated copy does not build in " + self.dir + "\n" + out[-3000:])
        rc, out = self.test()
        if rc != 0:
            raise RuntimeError("the unmutated suite fails in " + self.dir + "\n" + out[-3000:])

    def build(self):
        return sh(["cmake", "--build", "build/native", "-j", str(self.args.build_jobs)], self.dir, 1200)

    def test(self):
        return sh(["ctest", "--test-dir", "build/native", "-j", str(self.args.test_jobs), "--timeout", "60",
                   "--stop-on-failure", "--output-on-failure"], self.dir, 1800)

    def run(self, mutant):
        path = os.path.join(self.dir, mutant["unit"])
        with open(path, encoding="utf-8") as f:
            text = f.read()
        lines = text.split("\n")
        index = locate(lines, mutant)
        result = dict(mutant)
        result["failed_test"] = ""
        if index is None:
            result["status"] = "gone"
            return result
        result["line"] = index + 1
        lines[index] = mutant["mutated"]
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            rc, out = self.build()
            if rc != 0:
                result["status"] = "stillborn"
                return result
            rc, out = self.test()
            if rc == 0:
                result["status"] = "survived"
            else:
                result["status"] = "killed"
                failed = re.findall(r"^\s*\d+ - (\S+)", out, re.M)
                timed = re.search(r"Test\s+#\d+: (\S+) .*\*\*\*Timeout", out)
                result["failed_test"] = (failed[0] if failed else (timed.group(1) if timed else "?"))
            return result
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)


def locate(lines, mutant):
    """The index of the mutant's line: at its recorded number, else the nearest line with the
    same text."""
    n = int(mutant["line"]) - 1
    if 0 <= n < len(lines) and lines[n] == mutant["original"]:
        return n
    same = [i for i, l in enumerate(lines) if l == mutant["original"]]
    return min(same, key=lambda i: abs(i - n)) if same else None


def read_results(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def write_results(path, rows):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, FIELDS, delimiter="\t", extrasaction="ignore")
        w.writeheader()
        for r in sorted(rows, key=lambda r: (r["unit"], int(r["line"]), r["id"])):
            w.writerow(r)


def read_equivalent():
    """(unit, line, original stripped, mutated stripped) -> (class, reason). Classes:
    equivalent (cannot change behaviour), unbuilt (not compiled natively), ignored (changes
    behaviour only where no plausible use reaches), elsewhere (tested by work on another
    branch). The line numbers are those of the sources the list was made for; after edits
    to a unit its entries need checking again."""
    known = {}
    if os.path.exists(EQUIVALENT):
        with open(EQUIVALENT, newline="", encoding="utf-8") as f:
            for row in csv.reader(f, delimiter="\t"):
                if row and not row[0].startswith("#") and len(row) >= 6:
                    known[(row[0], row[1], row[2].strip(), row[3].strip())] = (row[4], row[5])
    return known


def summarize(rows, out=sys.stdout):
    known = read_equivalent()
    key = lambda r: (r["unit"], str(r["line"]), r["original"].strip(), r["mutated"].strip())
    count = lambda s, rs: sum(1 for r in rs if r["status"] == s)
    rate = lambda s, k: f"{s}/{k + s} = {100.0 * s / (k + s):.1f} %" if k + s else "-"
    killed, survived = count("killed", rows), count("survived", rows)
    print(f"mutants {len(rows)}: killed {killed}, survived {survived}, stillborn {count('stillborn', rows)}, "
          f"gone {count('gone', rows)}", file=out)
    print(f"survival rate {rate(survived, killed)}", file=out)
    excluded = [r for r in rows if key(r) in known]
    if excluded:
        classes = {}
        for r in excluded:
            classes[known[key(r)][0]] = classes.get(known[key(r)][0], 0) + 1
        live = [r for r in rows if key(r) not in known]
        print(f"without {len(excluded)} listed mutants (" + ", ".join(f"{c} {n}" for c, n in sorted(classes.items()))
              + f"): {rate(count('survived', live), count('killed', live))}", file=out)
    for r in rows:
        if r["status"] == "survived":
            mark = f" [{known[key(r)][0]}: {known[key(r)][1]}]" if key(r) in known else ""
            print(f"  survived {r['unit']}:{r['line']} {r['kind']}{mark}\n"
                  f"      - {r['original'].strip()}\n      + {r['mutated'].strip()}", file=out)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="command", required=True)
    ls = sub.add_parser("list")
    ls.add_argument("--units", default="")
    run = sub.add_parser("run")
    run.add_argument("--sample", type=int, default=200)
    run.add_argument("--seed", type=int, default=11)
    run.add_argument("--replay")
    run.add_argument("--units", default="")
    run.add_argument("--jobs", type=int, default=2)
    run.add_argument("--build-jobs", type=int, default=4)
    run.add_argument("--test-jobs", type=int, default=4)
    run.add_argument("--out", default=os.path.join(WORK, "results.tsv"))
    sm = sub.add_parser("summary")
    sm.add_argument("file")
    args = ap.parse_args()

    if args.command == "summary":
        summarize(read_results(args.file))
        return 0

    native = os.path.join(ROOT, "build", "native")
    if not os.path.exists(os.path.join(native, "compile_commands.json")):
        sys.exit("configure the native preset first (cmake --preset native)")
    units = [u for u in portable_units(native) if re.search(args.units, u)]
    candidates = [m for u in units for m in mutants_of_unit(u)]

    if args.command == "list":
        per_unit = {}
        for m in candidates:
            per_unit.setdefault(m["unit"], {}).setdefault(m["kind"], 0)
            per_unit[m["unit"]][m["kind"]] += 1
        for unit, kinds in per_unit.items():
            print(f"{sum(kinds.values()):5d}  {unit}  " + " ".join(f"{k}={v}" for k, v in sorted(kinds.items())))
        print(f"{len(candidates):5d}  candidates in {len(units)} units")
        return 0

    if args.replay:
        sample = [r for r in read_results(args.replay) if re.search(args.units, r["unit"])]
    else:
        sample = random.Random(args.seed).sample(candidates, min(args.sample, len(candidates)))
    workers = [Worker(i, args) for i in range(args.jobs)]
    with concurrent.futures.ThreadPoolExecutor(len(workers)) as pool:
        list(pool.map(lambda w: w.prepare(), workers))

    pending = list(sample)
    lock = threading.Lock()
    results = []

    def drain(worker):
        while True:
            with lock:
                if not pending:
                    return
                mutant = pending.pop(0)
            r = worker.run(mutant)
            with lock:
                results.append(r)
                print(f"[{len(results)}/{len(sample)}] {r['status']:9s} {r['unit']}:{r['line']} {r['kind']}"
                      + (f" ({r['failed_test']})" if r["failed_test"] else ""), flush=True)
                write_results(args.out, results)

    with concurrent.futures.ThreadPoolExecutor(len(workers)) as pool:
        list(pool.map(drain, workers))
    # Leave each copy built from its unmutated sources.
    for w in workers:
        w.build()
    write_results(args.out, results)
    summarize(results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
