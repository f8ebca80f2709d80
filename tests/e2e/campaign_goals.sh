#!/usr/bin/env bash
# The shipped campaign keeps its promises, checked with the real tools in data/:
# - sets.txt passes tracklet-level check and lists the levels of levels.txt, in its order;
# - each level's stored run NAME.sim wins and reaches the score goal, and it or NAME.time.sim wins
#   within the time goal (times and scores from tracklet-sim's last print);
# - a goal asks more than winning: the first win tracklet-level solve finds misses a goal on at
#   least two levels in three;
# - difficulty (solve --stats) rises within each set (Spearman's rank correlation with the order
#   at least 0.6) and each set's median is above the one before.
# The solver's figures do not depend on the build, so a sanitizer build checks only the runs.
source "$(dirname "$0")/common.bash"
level_tool="$build/tools/level/tracklet-level"
sim="$build/tools/sim/tracklet-sim"
cd "$source_dir/data"
[ -f sets.txt ] || fail "no data/sets.txt"
"$level_tool" check sets.txt || fail "sets.txt does not pass the check"
measure=1
[ -z "${ASAN_OPTIONS:-}" ] || measure=0

LEVEL_TOOL="$level_tool" SIM="$sim" MEASURE="$measure" python3 - <<'PY' || fail "the campaign's goals (above)"
import json, os, statistics, subprocess, sys

tool, sim, measure = os.environ["LEVEL_TOOL"], os.environ["SIM"], os.environ["MEASURE"] == "1"
failures = []

def last_report(level, script_text):
    run = subprocess.run([sim, "--expect-win", "levels/" + level], input=script_text, capture_output=True, text=True)
    if run.returncode != 0:
        return None, run.stderr.strip()
    return json.loads(run.stdout.strip().splitlines()[-1]), ""

sets, order = [], []
for number, line in enumerate(open("sets.txt"), 1):
    words = line.split()
    if not words or words[0].startswith("#"):
        continue
    if words[0] == "set":
        sets.append((line.strip()[4:].strip(), []))
    else:
        level, score, seconds = words[1], int(words[3]), float(words[5])
        sets[-1][1].append((level, score, seconds))
        order.append(level)
listed = open("levels.txt").read().split()
if order != listed:
    failures.append("sets.txt and levels.txt do not hold the same levels in the same order")

misses = 0
for name, levels in sets:
    difficulties = []
    for level, score_goal, time_goal in levels:
        stem = "levels/" + level[:-4]
        report, why = last_report(level, open(stem + ".sim").read())
        if report is None:
            failures.append(f"{stem}.sim does not win: {why}")
            continue
        if report["score"] < score_goal:
            failures.append(f"{stem}.sim scores {report['score']}, below the goal {score_goal}")
        fastest = report["time"]
        if fastest > time_goal:
            if not os.path.exists(stem + ".time.sim"):
                failures.append(f"{stem}.sim takes {fastest} s, over the goal {time_goal} s, and there is no {stem}.time.sim")
            else:
                timed, why = last_report(level, open(stem + ".time.sim").read())
                if timed is None or timed["time"] > time_goal:
                    failures.append(f"{stem}.time.sim does not win within {time_goal} s: {timed and timed['time']} {why}")
        if not measure:
            continue
        stats = subprocess.run([tool, "solve", "--stats", "levels/" + level], capture_output=True, text=True)
        if stats.returncode != 0:
            failures.append(f"{level}: solve --stats finds no win: {stats.stdout}{stats.stderr}")
            continue
        difficulties.append(json.loads(stats.stdout)["difficulty"])
        first = subprocess.run([tool, "solve", "levels/" + level], capture_output=True, text=True)
        won, why = last_report(level, first.stdout)
        if won is None:
            failures.append(f"{level}: the first win found does not replay: {why}")
        elif won["score"] < score_goal or won["time"] > time_goal:
            misses += 1
        print(f"{level}: difficulty {difficulties[-1]}, goals {score_goal} points {time_goal} s, "
              f"first win {won and won['score']} points {won and won['time']} s")
    if not measure or len(difficulties) < 2:
        continue
    n = len(difficulties)
    ranks = {v: statistics.mean(i + 1 for i, w in enumerate(sorted(difficulties)) if w == v) for v in difficulties}
    rho = 1 - 6 * sum((ranks[d] - (i + 1)) ** 2 for i, d in enumerate(difficulties)) / (n * (n * n - 1))
    median = statistics.median(difficulties)
    print(f"set {name}: Spearman {rho:.2f}, median difficulty {median}")
    if rho < 0.6:
        failures.append(f"set {name}: difficulty does not rise with the order (Spearman {rho:.2f} < 0.6)")
    if sets.index((name, levels)) > 0 and median <= previous_median:
        failures.append(f"set {name}: median difficulty {median} is not above the set before's {previous_median}")
    previous_median = median

if measure and misses * 3 < 2 * len(order):
    failures.append(f"the first win found misses a goal on only {misses} of {len(order)} levels")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PY
echo "the campaign keeps its goals"
