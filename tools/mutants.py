#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation run: how many small slips in the program's C++ the fast tests notice.

Each mutant is one change on one line of a .cpp file: a relational or logical operator
flipped, a condition negated, a call statement dropped, a number moved by one, true and
false swapped. Each is built in a scratch worktree of the committed code and the fast
tests (all but the end-to-end runs) run on it; a mutant that a test fails on is killed,
one that builds and passes every test survived. Survivors are printed as file:line with
the change, then the score. A mutant that does not build is counted apart.

    tools/mutants.py                      every program file
    tools/mutants.py editing notice/CheckCycle.cpp   those folders or files
    tools/mutants.py --base main~3        only the lines changed since that commit

tools/mutants.ignore lists the survivors that no behaviour can tell from the program
(equivalent mutants), each with its reason; they are left out of the score.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM_FOLDERS = ("app", "components", "editing", "notice", "options", "resources", "store")
# The tests left out: the end-to-end runs and the two checks of the source (a name such as
# DateFormat.EachFieldInItsPlace must not match them).
FAST_TESTS = "EndToEnd|^Format$|^LayerGraph$"


def git(*args, cwd=ROOT):
    return subprocess.run(["git", *args], cwd=cwd, check=True, capture_output=True,
                          text=True).stdout


def program_files(paths):
    files = [f for f in git("ls-files", "*.cpp").split()
             if f.split("/")[0] in PROGRAM_FOLDERS]
    if paths:
        files = [f for f in files
                 if any(f == p.rstrip("/") or f.startswith(p.rstrip("/") + "/") for p in paths)]
    return files


def changed_lines(base, files):
    """The lines of each file that the commits since base added or changed."""
    out = {}
    for f in files:
        lines = set()
        for m in re.finditer(r"^@@ -\S+ \+(\d+)(?:,(\d+))? @@", git("diff", "-U0", base, "HEAD",
                                                                    "--", f), re.M):
            start, count = int(m.group(1)), int(m.group(2) or 1)
            lines.update(range(start, start + count))
        if lines:
            out[f] = lines
    return out


def masked(line):
    """The line with the insides of its string and character literals and its trailing
    comment blanked, so that no mutant changes a text."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("__")
                i += 2
                continue
            out.append(c if c == quote else "_")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def balanced(text):
    depth = 0
    for c in text:
        depth += {"(": 1, ")": -1}.get(c, 0)
        if depth < 0:
            return False
    return depth == 0


SWAPS = [(" == ", " != "), (" != ", " == "), (" < ", " <= "), (" <= ", " < "), (" > ", " >= "),
         (" >= ", " > "), (" && ", " || "), (" || ", " && ")]
CALL = re.compile(r"^\s*(?!return\b|delete\b|throw\b|case\b|else\b)[A-Za-z_][\w:]*"
                  r"(?:(?:\.|->)[A-Za-z_]\w*)*\(.*\);$")
NUMBER = re.compile(r"(?<![\w.])\d+(?![\w.'])")


def mutants_of(line):
    """(description, mutated line) for each simple mutant of one line of code."""
    code = masked(line)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#", "*", "/*", "static_assert")):
        return []
    found = []

    def at(start, end, new, what):
        found.append((what, line[:start] + new + line[end:]))

    for old, new in SWAPS:
        for m in re.finditer(re.escape(old), code):
            at(m.start(), m.end(), new, f"'{old.strip()}' -> '{new.strip()}'")
    for m in re.finditer(r"\b(if|while) \((.*)\)( \{)?$", code):
        if balanced(m.group(2)):
            at(m.start(2), m.end(2), "!(" + line[m.start(2):m.end(2)] + ")", "condition negated")
    for m in re.finditer(r"!(?!=)", code):
        at(m.start(), m.end(), "", "'!' dropped")
    if CALL.match(code) and balanced(stripped) and " = " not in code and "{" not in code:
        found.append(("call dropped", re.match(r"^\s*", line).group(0) + ";"))
    for m in re.finditer(r"\b(true|false)\b", code):
        at(m.start(), m.end(), "false" if m.group(1) == "true" else "true",
           f"{m.group(1)} -> {'false' if m.group(1) == 'true' else 'true'}")
    for m in NUMBER.finditer(code):
        at(m.start(), m.end(), str(int(m.group(0)) + 1), f"{m.group(0)} -> {int(m.group(0)) + 1}")
    return found


def all_mutants(files, only_lines=None, every=False, root=ROOT):
    for f in files:
        with open(os.path.join(root, f), encoding="utf-8") as src:
            lines = src.read().split("\n")
        in_comment = False
        for n, line in enumerate(lines, 1):
            if in_comment or line.lstrip().startswith("/*"):
                in_comment = "*/" not in line
                continue
            if only_lines is not None and n not in only_lines.get(f, ()):
                continue
            # By default a line's first mutant only: operators and conditions before
            # calls, calls before constants, which keeps a run of the whole program to
            # about an hour and a half on two cores.
            for what, mutated in mutants_of(line)[: None if every else 1]:
                yield f, n, line, mutated, what


def read_ignores():
    """(file, line as written, line as mutated) of the equivalent mutants."""
    ignores = set()
    path = os.path.join(ROOT, "tools", "mutants.ignore")
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for row in f:
                parts = [p.strip() for p in row.split(" | ")]
                if not row.startswith("#") and len(parts) == 4:
                    ignores.add(tuple(parts[:3]))
    return ignores


def run(cmd, cwd, timeout, env=None):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout, env=env).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("paths", nargs="*", help="program folders or .cpp files (all when none)")
    ap.add_argument("--base", help="only the lines changed since this commit")
    ap.add_argument("--work", default="/var/tmp/tockwell-mutants",
                    help="the scratch worktree and its build (kept for the next run)")
    ap.add_argument("--all", action="store_true", help="every mutant of a line, not the first")
    ap.add_argument("--again", metavar="OUTPUT",
                    help="only the survivors printed in the output of an earlier run")
    ap.add_argument("--list", action="store_true", help="only list the mutants")
    args = ap.parse_args()

    files = program_files(args.paths)
    lines = changed_lines(args.base, files) if args.base else None
    if args.list:
        count = 0
        for f, n, _, mutated, what in all_mutants(files, lines, args.all):
            print(f"{f}:{n}: {what}: {mutated.strip()}")
            count += 1
        print(f"{count} mutants")
        return 0

    work, build = args.work, os.path.join(args.work, "build")
    if not os.path.isdir(os.path.join(work, ".git")) and not os.path.isfile(
            os.path.join(work, ".git")):
        git("worktree", "add", "--detach", work, "HEAD")
    git("checkout", "--detach", "--force", git("rev-parse", "HEAD").strip(), cwd=work)
    subprocess.run(["cmake", "-S", work, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                    "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DTOCKWELL_BENCH=OFF"]
                   + (["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []), check=True,
                   stdout=subprocess.DEVNULL)
    if run(["ninja", "-C", build], work, 3600) != 0:
        sys.exit("mutants: the unchanged program does not build in " + work)
    fast = ["ctest", "--test-dir", build, "-E", FAST_TESTS, "--timeout", "60",
            "--stop-on-failure", "-j2"]
    # The tests' temporary folders in one of the run's own, emptied after each mutant:
    # a test ended at its time limit leaves its folder behind.
    tmp = os.path.join(work, "tmp")
    env = dict(os.environ, TMPDIR=tmp)

    def fast_tests(timeout):
        shutil.rmtree(tmp, ignore_errors=True)
        os.makedirs(tmp)
        return run(fast, work, timeout, env)

    if fast_tests(600) != 0:
        sys.exit("mutants: the fast tests fail on the unchanged program")

    # The mutants of the committed code, as the worktree holds it.
    mutants = list(all_mutants(files, lines, args.all or bool(args.again), root=work))
    if args.again:
        # The survivors' file:line: change, from the summary or the progress lines.
        with open(args.again, encoding="utf-8") as f:
            earlier = {m.group(1) for m in re.finditer(r"^(?:\[[^]]*\] |  )(\S+:\d+: [^:]+):", f.read(),
                                                       re.M)
                       if "SURVIVED" in m.string[m.end():m.string.find("\n", m.end())]
                       or m.string[m.start():m.start() + 2] == "  "}
        mutants = [m for m in mutants if f"{m[0]}:{m[1]}: {m[4]}" in earlier]

    ignores = read_ignores()
    killed, survived, equivalent, unbuilt = 0, [], 0, 0
    started = time.time()
    for i, (f, n, line, mutated, what) in enumerate(mutants, 1):
        path = os.path.join(work, f)
        with open(path, encoding="utf-8") as src:
            original = src.read()
        lines = original.split("\n")
        lines[n - 1] = mutated
        with open(path, "w", encoding="utf-8") as out:
            out.write("\n".join(lines))
        try:
            if run(["ninja", "-C", build], work, 600) != 0:
                unbuilt += 1
                outcome = "did not build"
            elif fast_tests(900) != 0:
                killed += 1
                outcome = "killed"
            elif (f, line.strip(), mutated.strip()) in ignores:
                equivalent += 1
                outcome = "equivalent (ignore file)"
            else:
                survived.append(f"{f}:{n}: {what}: {mutated.strip()}")
                outcome = "SURVIVED: " + mutated.strip()
        finally:
            with open(path, "w", encoding="utf-8") as out:
                out.write(original)
        print(f"[{i}/{len(mutants)} {int(time.time() - started)} s] {f}:{n}: {what}: {outcome}",
              flush=True)

    print("\nsurvivors:")
    for s in survived:
        print("  " + s)
    counted = killed + len(survived)
    print(f"\n{len(mutants)} mutants: {killed} killed, {len(survived)} survived, {equivalent} "
          f"equivalent, {unbuilt} did not build; score {100.0 * killed / max(counted, 1):.1f} %")
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
