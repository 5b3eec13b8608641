#!/usr/bin/env python3
"""Mutation pass: how many small faults in src/ does the test suite catch?

Applies, one at a time, the mutations listed in scripts/mutations.txt (flipped comparisons,
off-by-one, dropped statements, swapped constants), rebuilds the plain build's test
targets in a build directory of its own, runs the suites with --stop-on-failure and a
time limit (a hang counts as caught), restores the file, and prints killed/total and
the mutations that survived.

    scripts/mutation_pass.py [--build-dir DIR] [--timeout S] [--only N,M-K] [--log FILE]
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
TARGETS = ["ordex", "ordex_api_tests", "ordex_unit_tests", "ordex_alloc_tests",
           "ordex_tool", "ordex_soak"]
# The suites that read the tree's tests: everything but the memory checks (valgrind), the
# install and pip tests (which test packaging, and take minutes) and the Python binding.
EXCLUDE = "memcheck_|install_tree|python_pip_install|python_binding"

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


def apply(rel, hint, text, mutated):
    """The file's original content, or None when the line is not found."""
    path = os.path.join(ROOT, rel)
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


def restore(rel, original):
    path = os.path.join(ROOT, rel)
    with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
        f.write(original)
    # The restored file is older than the mutated object: make the next build see it.
    os.utime(path, None)


def build(build_dir):
    r = subprocess.run(["cmake", "--build", build_dir, "-j2", "--target"] + TARGETS,
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return r.returncode == 0


def run_tests(build_dir, timeout):
    cmd = ["ctest", "--test-dir", build_dir, "-j2", "--stop-on-failure", "-E", EXCLUDE,
           "--timeout", str(timeout)]
    try:
        r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           timeout=timeout * 3)
    except subprocess.TimeoutExpired:
        return False, "timeout"
    out = r.stdout.decode(errors="replace")
    failed = re.findall(r"\d+/\d+ Test +#\d+: (\S+) .*\*\*\*(\w+)", out)
    return r.returncode == 0, ",".join(f[0] for f in failed[:3])


def parse_only(spec, n):
    if not spec:
        return list(range(n))
    picked = []
    for part in spec.split(","):
        a, _, b = part.partition("-")
        picked += range(int(a) - 1, int(b or a))
    return picked


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--generate", action="store_true")
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build-mut"))
    ap.add_argument("--timeout", type=int, default=120)
    ap.add_argument("--only", default="")
    ap.add_argument("--log", default="")
    args = ap.parse_args()
    if args.generate:
        generate()
        return 0
    if not os.path.exists(os.path.join(args.build_dir, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", ROOT, "-B", args.build_dir,
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DORDEX_LTO=OFF"], check=True)
    if not build(args.build_dir):
        print("the unmutated tree does not build", file=sys.stderr)
        return 2
    ok, why = run_tests(args.build_dir, args.timeout)
    if not ok:
        print(f"the unmutated tree fails its tests ({why})", file=sys.stderr)
        return 2
    mutations = load()
    log = open(args.log, "a") if args.log else None
    killed, survived, skipped = 0, [], []
    for k in parse_only(args.only, len(mutations)):
        rel, hint, text, mutated = mutations[k]
        label = f"#{k + 1} {rel}:{hint}: {text} -> {mutated or '(dropped)'}"
        start = time.time()
        original = apply(rel, hint, text, mutated)
        if original is None:
            result = "not applied"
            skipped.append(label)
        else:
            try:
                if not build(args.build_dir):
                    result = "does not compile"
                    skipped.append(label)
                else:
                    ok, why = run_tests(args.build_dir, args.timeout)
                    if ok:
                        result = "SURVIVED"
                        survived.append(label)
                    else:
                        result = f"killed ({why})"
                        killed += 1
            finally:
                restore(rel, original)
        line = f"{label}: {result} [{time.time() - start:.0f} s]"
        print(line, flush=True)
        if log:
            log.write(line + "\n")
            log.flush()
    build(args.build_dir)
    total = killed + len(survived)
    rate = 100.0 * killed / total if total else 0.0
    print(f"\nkilled {killed}/{total} ({rate:.1f} %), {len(skipped)} left out")
    for s in survived:
        print("survived: " + s)
    for s in skipped:
        print("left out: " + s)
    return 0


if __name__ == "__main__":
    sys.exit(main())
