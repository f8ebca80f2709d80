#!/usr/bin/env python3
"""Puts each one-line fault of tests/mutants.txt, one at a time, into a copy of the tree and
runs the suite on it, stopping at the first failing test: a fault the suite lets through is a
gap in the tests. Prints each fault that survived and the score.

    tests/mutants.py [NUMBER...]   only the faults with these numbers (1 is the first in the list)
    tests/mutants.py --check       only checks that each fault's original text stands once in its file

The copy lives in build-mutants/ (the tree's files, its build in build-mutants/build) and is kept
between runs, so each fault costs an incremental build; with ccache's base_dir the first build of
the copy reuses what ./tracklet.sh build compiled. The unit tests run first, in one process, with
only their binary built; the other tests follow, cheapest first, by the times of the unmutated run.
A fault whose original text is not in its file exactly once, or that does not build, is an error
in the list and is reported as such."""
import json
import os
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COPY = os.path.join(HERE, "build-mutants")
BUILD = os.path.join(COPY, "build")
TIMES = os.path.join(COPY, "test-times.json")


def read_faults(path):
    """The list's records: blank-line separated, each with file:, from:, to: and breaks: lines;
    from: and to: take the rest of their line exactly, with \\n for a line break."""
    faults, record = [], {}
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n") + [""]
    for number, line in enumerate(lines, 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if record:
                missing = {"file", "from", "to", "breaks"} - record.keys()
                if missing:
                    sys.exit(f"{path}:{number}: the record above lacks {', '.join(sorted(missing))}")
                faults.append(record)
                record = {}
            continue
        key, sep, value = line.partition(": ")
        if not sep or key not in ("file", "from", "to", "breaks"):
            sys.exit(f"{path}:{number}: expected file:, from:, to: or breaks:, found: {line}")
        record[key] = value.replace("\\n", "\n") if key in ("from", "to") else value
    return faults


def tree_files(root):
    """The tree's files relative to root, without build folders and version control."""
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        if rel == ".":
            dirs[:] = [d for d in dirs if not d.startswith("build") and d != ".git"]
        for name in files:
            yield os.path.normpath(os.path.join(rel, name))


def sync():
    """Makes the copy equal to the tree, touching only the files that differ (so that the build
    stays incremental)."""
    wanted = set(tree_files(HERE))
    for rel in wanted:
        src, dst = os.path.join(HERE, rel), os.path.join(COPY, rel)
        if os.path.islink(src) or not os.path.isfile(src):
            continue
        if os.path.isfile(dst) and same(src, dst):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        # A fresh time stamp: the build must see the file as newer than what it built before.
        shutil.copyfile(src, dst)
        shutil.copymode(src, dst)
    for rel in set(tree_files(COPY)) - wanted:
        if not rel.startswith("test-times"):
            os.remove(os.path.join(COPY, rel))


def same(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def run(command, timeout, cwd=BUILD):
    """(passed, the output's tail); a command that overruns is ended with its process group."""
    proc = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True, text=True, errors="replace")
    try:
        out, _ = proc.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return False, out[-20000:] + f"\n(timed out after {timeout} s)"
    return proc.returncode == 0, out[-20000:]


def build(targets=()):
    command = ["cmake", "--build", BUILD, "-j2"]
    for t in targets:
        command += ["--target", t]
    return run(command, 3600)


def configure():
    # The compile flags are those of ./tracklet.sh build (so ccache hits); links skip the debug
    # information, which nothing here reads, and go faster for it.
    linker = "-Wl,--strip-debug" + (" -fuse-ld=lld" if shutil.which("ld.lld") else "")
    return run(["cmake", "-S", COPY, "-B", BUILD, "-G", "Ninja", "-DTRACKLET_SANITIZE=OFF",
                "-DTRACKLET_COVERAGE=OFF", "-DCMAKE_EXE_LINKER_FLAGS=" + linker], 600, cwd=COPY)


def other_tests():
    """The CTest tests that are not unit tests (fuzz.* and e2e.*)."""
    ok, out = run(["ctest", "-N", "-R", r"^(e2e|fuzz)\."], 120)
    return [line.split(": ", 1)[1].strip() for line in out.splitlines() if line.strip().startswith("Test")
            and ": " in line]


def suite(times, record=False, excluded=None):
    """None when every test passes, else the name of the first that fails. On the unchanged tree
    (record) an end-to-end test that fails twice is put in `excluded` instead and left out after."""
    unit = os.path.join(BUILD, "tests", "tracklet_tests")
    ok, out = build(["tracklet_tests"])
    if not ok:
        return "(build)"
    start = time.time()
    ok, out = run([unit, "--gtest_brief=1", "--gtest_fail_fast"], max(120, 6 * times.get("unit", 0)))
    if record:
        times["unit"] = time.time() - start
    if not ok:
        failed = [line.split("] ", 1)[1] for line in out.splitlines() if line.startswith("[  FAILED  ]")]
        return "unit test " + (failed[0].split(" ")[0] if failed else "(crash or timeout)")
    ok, out = build()
    if not ok:
        return "(build)"
    for name in sorted(set(other_tests()) - set(excluded or ()), key=lambda n: times.get(n, 1e9)):
        start = time.time()
        command = ["ctest", "-R", f"^{name}$", "--output-on-failure", "--no-tests=error"]
        ok, out = run(command, 900)
        if record:
            times[name] = time.time() - start
        if not ok:
            # A game test on a busy machine can fail by its frame rate alone (a slow frame steps a
            # shot past its target): a failure counts only when it happens again.
            ok, out = run(command, 900)
        if not ok:
            if record:
                print(out + f"\n{name} fails on the unchanged tree: left out of this run", flush=True)
                excluded.append(name)
                continue
            return name
    return None


def check_list(faults):
    """The list's errors against the tree as it is: a fault must change a text found exactly once."""
    errors = []
    for number, fault in enumerate(faults, 1):
        path = os.path.join(HERE, fault["file"])
        found = open(path, encoding="utf-8").read().count(fault["from"]) if os.path.isfile(path) else 0
        if found != 1 or fault["from"] == fault["to"]:
            errors.append(f"{number}. {fault['file']}: the original text is found {found} times, not once"
                          if found != 1 else f"{number}. {fault['file']}: the fault changes nothing")
    return errors


def main():
    faults = read_faults(os.path.join(HERE, "tests", "mutants.txt"))
    if sys.argv[1:] == ["--check"]:
        errors = check_list(faults)
        for e in errors:
            print("error: " + e)
        print(f"{len(faults)} faults, {len(errors)} errors in the list")
        return 1 if errors else 0
    only = {int(a) for a in sys.argv[1:]}
    os.makedirs(COPY, exist_ok=True)
    sync()
    ok, out = configure()
    if not ok:
        sys.exit("configuring the copy failed:\n" + out)
    times = json.load(open(TIMES)) if os.path.exists(TIMES) else {}
    print("building the copy and running the suite on it unchanged…", flush=True)
    excluded = []
    failing = suite(times, record=True, excluded=excluded)
    if failing:
        sys.exit(f"the unchanged tree fails {failing}: fix that first")
    json.dump(times, open(TIMES, "w"), indent=1)

    survived, errors, killed, tried = [], [], 0, 0
    for number, fault in enumerate(faults, 1):
        if only and number not in only:
            continue
        tried += 1
        label = f"{number}. {fault['file']}: {fault['breaks']}"
        path = os.path.join(COPY, fault["file"])
        original = open(path, encoding="utf-8").read() if os.path.isfile(path) else ""
        found = original.count(fault["from"])
        if found != 1:
            errors.append(f"{label}: the original text is found {found} times, not once")
            print(f"ERROR    {errors[-1]}", flush=True)
            continue
        start = time.time()
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(fault["from"], fault["to"]))
        try:
            failing = suite(times, excluded=excluded)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        seconds = int(time.time() - start)
        if failing == "(build)":
            errors.append(f"{label}: does not build")
            print(f"ERROR    {errors[-1]}", flush=True)
        elif failing:
            killed += 1
            print(f"caught   {label} ({failing}, {seconds} s)", flush=True)
        else:
            survived.append(label)
            print(f"SURVIVED {label} ({seconds} s)", flush=True)
    build()  # the copy back in step with the tree
    print()
    for s in survived:
        print("survived: " + s)
    for e in errors:
        print("error: " + e)
    for name in excluded:
        print(f"left out: {name}, which failed on the unchanged tree (faults only it catches show as survivors)")
    scored = killed + len(survived)
    print(f"score: {killed} of {scored} faults caught ({100 * killed // max(scored, 1)}%), "
          f"{len(survived)} survived, {len(errors)} errors in the list, {tried} tried")
    return 1 if survived or errors else 0


if __name__ == "__main__":
    sys.exit(main())
