#!/usr/bin/env python3
"""Mutation pass: how many small faults in src/ does the test suite catch?

Applies, one at a time, the mutations listed in scripts/mutations.txt (flipped comparisons,
off-by-one, dropped statements, swapped constants), rebuilds the plain build in a build
directory of its own (the tests link the shared library: a mutation costs one compile and
the links), runs the suites with --stop-on-failure and a
time limit (a hang counts as caught), restores the file, and prints killed/total and
the mutations that survived. With several --tree (copies of the repository whose test
suites differ) each mutation is tried in each tree in turn, so that the suites are compared
on the same mutations; each tree builds in its own build folder (--build-dir).

    scripts/mutation_pass.py [--tree DIR ...] [--timeout S] [--only N,M-K] [--spread]
                             [--log FILE]
    scripts/mutation_pass.py --generate   # rewrites mutations.txt (done once; keep the list)

A line of mutations.txt is: FILE <tab> LINE <tab> ORIGINAL <tab> MUTATED, where ORIGINAL and
MUTATED are the line's text without its indentation and MUTATED "" drops the statement.
LINE is a hint: the line is looked for near it, so the list survives edits elsewhere in
the file. A mutation whose line is gone is reported as not applied and left out of the
rate; so is one that does not compile.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LIST = os.path.join(ROOT, "scripts", "mutations.txt")
GTEST_EXECUTABLES = ["ordex_unit_tests", "ordex_api_tests", "ordex_alloc_tests"]
# Besides those executables, every ctest test but the memory checks (valgrind), the install
# and pip tests (which test packaging, and take minutes), the Python binding, and the gtest
# cases that ran already.
EXCLUDE = ("memcheck_|install_tree|python_pip_install|python_binding|^[A-Za-z0-9_/]+\\.")

# Layer -> how many mutations it gets (roughly by its size).
QUOTAS = {"reader": 20, "writer": 14, "convert": 9, "edit": 12, "query": 13, "model": 14,
          "api": 14, "platform": 4}

OPERATORS = [
    (r" == ", " != "), (r" != ", " == "), (r" < ", " <= "), (r" <= ", " < "),
    (r" > ", " >= "), (r" >= ", " > "), (r" && ", " || "), (r" \|\| ", " && "),
    (r" \+ 1\b", " + 2"), (r" - 1\b", " - 0"), (r"return true;", "return false;"),
    (r"return false;", "return true;"), (r"= 0;", "= 1;"),
]


def candidates(path):
    """(line number, text, mutated) for every mutable line of a source file."""
    out = []
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        lines = f.read().split("\n")
    for i, line in enumerate(lines, 1):
        text = line.strip()
        if (not text or text.startswith(("//", "#", "*", "/*", "static_assert"))
                or '"' in text or "'" in text or "template" in text):
            continue
        for pattern, repl in OPERATORS:
            if re.search(pattern, text):
                if pattern in (r" && ", r" \|\| "):
                    # All of them, and only where the other is absent: a mix of && and ||
                    # without parentheses does not compile with -Werror.
                    if "&&" in text and "||" in text:
                        continue
                    mutated = re.sub(pattern, repl, text)
                else:
                    mutated = re.sub(pattern, repl, text, count=1)
                out.append((i, text, mutated))
        # Dropped statement: a call or an assignment on a line of its own.
        if (text.endswith(";") and not text.startswith(("return", "break", "continue", "}"))
                and re.match(r"^[A-Za-z_][\w.\->\[\]:]*\s*(\(|\+=|-=|=[^=]|\.push_back)", text)
                and not re.match(r"^(const|auto|int|bool|size_t|std::|uint|char|double|if|for|"
                                 r"while|switch)\b", text)
                and "(" in text):
            out.append((i, text, ""))
    return out


def generate():
    rng = random.Random(22)
    chosen = []
    for layer, quota in QUOTAS.items():
        d = os.path.join(ROOT, "src", layer)
        pool = []
        for name in sorted(os.listdir(d)):
            if name.endswith(".cpp"):
                rel = os.path.join("src", layer, name)
                pool += [(rel,) + c for c in candidates(os.path.join(ROOT, rel))]
        rng.shuffle(pool)
        # About a quarter dropped statements, the rest changed operators and constants.
        drops = [m for m in pool if not m[3]][: quota // 4]
        seen = {(m[0], m[1]) for m in drops}
        chosen += drops
        for m in pool:
            if len(drops) + len([c for c in chosen if c[0].startswith("src/" + layer + "/")
                                 and c[3]]) == quota:
                break
            if m[3] and (m[0], m[1]) not in seen:
                seen.add((m[0], m[1]))
                chosen.append(m)
    chosen.sort(key=lambda m: (m[0], m[1]))
    with open(LIST, "w", encoding="utf-8") as f:
        for rel, line, text, mutated in chosen:
            f.write(f"{rel}\t{line}\t{text}\t{mutated}\n")
    print(f"{len(chosen)} mutations written to {LIST}")


def load():
    out = []
    with open(LIST, encoding="utf-8", errors="surrogateescape") as f:
        for raw in f:
            raw = raw.rstrip("\n")
            if raw and not raw.startswith("#"):
                rel, line, text, mutated = raw.split("\t")
                out.append((rel, int(line), text, mutated))
    return out


def apply(root, rel, hint, text, mutated):
    """The file's original content, or None when the line is not found."""
    path = os.path.join(root, rel)
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        original = f.read()
    lines = original.split("\n")
    near = sorted(range(len(lines)), key=lambda i: abs(i + 1 - hint))
    for i in near:
        if lines[i].strip() == text:
            indent = lines[i][: len(lines[i]) - len(lines[i].lstrip())]
            lines[i] = indent + mutated if mutated else indent + "// (dropped)"
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write("\n".join(lines))
            return original
    return None


def restore(root, rel, original):
    path = os.path.join(root, rel)
    with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
        f.write(original)
    # The restored file is older than the mutated object: make the next build see it.
    os.utime(path, None)


def build(build_dir):
    r = subprocess.run(["cmake", "--build", build_dir, "-j2"],
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return r.returncode == 0


def run_tests(root, build_dir, timeout):
    """(passed, what failed). The gtest executables run whole, each in one process (much
    faster than a process per case), stopping at their first failure; then the other ctest
    tests."""
    steps = [[os.path.join(build_dir, "tests", exe), "--gtest_fail_fast", "--gtest_brief=1"]
             for exe in GTEST_EXECUTABLES]
    steps.append(["ctest", "--test-dir", build_dir, "-j2", "--stop-on-failure",
                  "-E", EXCLUDE, "--timeout", str(timeout)])
    for cmd in steps:
        try:
            r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               timeout=timeout, cwd=root)
        except subprocess.TimeoutExpired:
            return False, os.path.basename(cmd[0]) + " timed out"
        if r.returncode != 0:
            out = r.stdout.decode(errors="replace")
            failed = re.findall(r"\[  FAILED  \] (\S+)", out) or re.findall(
                r"\d+/\d+ Test +#\d+: (\S+) .*\*\*\*", out)
            return False, ",".join(failed[:2]) or os.path.basename(cmd[0])
    return True, ""


def parse_only(selection, n):
    if not selection:
        return list(range(n))
    picked = []
    for part in selection.split(","):
        a, _, b = part.partition("-")
        picked += range(int(a) - 1, int(b or a))
    return picked


def spread(indexes, mutations):
    """The mutations taken layer by layer in turn, so that a pass stopped early has touched
    every layer alike."""
    by_layer = {}
    for k in indexes:
        by_layer.setdefault(mutations[k][0].split("/")[1], []).append(k)
    order, queues = [], list(by_layer.values())
    while any(queues):
        for q in queues:
            if q:
                order.append(q.pop(0))
    return order


class Tally:
    def __init__(self, root):
        self.root, self.killed, self.survived, self.skipped = root, 0, [], []

    def summary(self):
        total = self.killed + len(self.survived)
        rate = 100.0 * self.killed / total if total else 0.0
        lines = [f"{self.root}: killed {self.killed}/{total} ({rate:.1f} %), "
                 f"{len(self.skipped)} left out"]
        lines += ["  survived: " + x for x in self.survived]
        lines += ["  left out: " + x for x in self.skipped]
        return "\n".join(lines)


def try_mutation(root, build_dir, mutation, timeout):
    rel, hint, text, mutated = mutation
    original = apply(root, rel, hint, text, mutated)
    if original is None:
        return "not applied"
    try:
        if not build(build_dir):
            return "does not compile"
        ok, why = run_tests(root, build_dir, timeout)
        return "SURVIVED" if ok else f"killed ({why})"
    finally:
        restore(root, rel, original)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--generate", action="store_true")
    ap.add_argument("--tree", action="append", default=[],
                    help="a source tree to run the pass in (default: this one; give several "
                         "to compare their test suites on each mutation in turn)")
    ap.add_argument("--build-dir", default="build-mut",
                    help="the build folder inside each tree (default build-mut; configured "
                         "without link-time optimisation when it does not exist)")
    ap.add_argument("--timeout", type=int, default=300, help="seconds per test step")
    ap.add_argument("--only", default="", help="mutation numbers, such as 1-10,15")
    ap.add_argument("--spread", action="store_true", help="take the layers in turn")
    ap.add_argument("--log", default="")
    args = ap.parse_args()
    if args.generate:
        generate()
        return 0
    trees = [os.path.abspath(t) for t in args.tree] or [ROOT]
    for root in trees:
        build_dir = os.path.join(root, args.build_dir)
        if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
            subprocess.run(["cmake", "-S", root, "-B", build_dir,
                            "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DORDEX_LTO=OFF"], check=True)
        if not build(build_dir):
            print(f"{root}: the unmutated tree does not build", file=sys.stderr)
            return 2
        ok, why = run_tests(root, build_dir, args.timeout)
        if not ok:
            print(f"{root}: the unmutated tree fails its tests ({why})", file=sys.stderr)
            return 2
    mutations = load()
    order = parse_only(args.only, len(mutations))
    if args.spread:
        order = spread(order, mutations)
    log = open(args.log, "a") if args.log else None
    tallies = [Tally(root) for root in trees]
    for k in order:
        rel, hint, text, mutated = mutations[k]
        label = f"#{k + 1} {rel}:{hint}: {text} -> {mutated or '(dropped)'}"
        for tally in tallies:
            start = time.time()
            result = try_mutation(tally.root, os.path.join(tally.root, args.build_dir),
                                  mutations[k], args.timeout)
            if result == "SURVIVED":
                tally.survived.append(label)
            elif result.startswith("killed"):
                tally.killed += 1
            else:
                tally.skipped.append(label + " (" + result + ")")
            line = f"{label}: {result} [{time.time() - start:.0f} s]"
            if len(trees) > 1:
                line = os.path.basename(tally.root) + " " + line
            print(line, flush=True)
            if log:
                log.write(line + "\n")
                log.flush()
    for tally in tallies:
        build(os.path.join(tally.root, args.build_dir))
        print("\n" + tally.summary())
    return 0


if __name__ == "__main__":
    sys.exit(main())
