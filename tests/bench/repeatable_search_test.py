#!/usr/bin/env python3
"""An integer search asked for two threads is repeatable: `corvane solve` with two search threads,
run twice on the same model with the same settings, visits the same number of nodes and reaches
the same answer, leaves the same run files behind, and the optimizer library runs CBC's driver on
one thread. In CBC's parallel mode, which hands each node to whichever thread is free first,
stein27 took a different number of nodes in every one of five pairs of runs (818 to 860).

Usage: repeatable_search_test.py CORVANE DATA_DIR [MODEL]"""
import os
import re
import subprocess
import sys
import tempfile

DRIVER_LINE = re.compile(r"^command line - xprs (.*) -solve -quit", re.M)
SEARCH_END = re.compile(r"Search ended, ([^,]+), after (\d+) nodes and (\d+) simplex iterations")
CHAIN_OBJECTIVE = re.compile(r"^Objective {2,}(\S+)", re.M)
RUNS = 2


def search(corvane, model, work):
    out = subprocess.run(
        [corvane, "solve", model, "--logdir", work, "--set", "OPTCR=0", "--set", "OPTCA=0",
         "--set", "PERCUT=0", "--set", "IBARTHREAD=2"],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout
    driver, end, objective = (DRIVER_LINE.search(out), SEARCH_END.search(out),
                              CHAIN_OBJECTIVE.search(out))
    if not driver or not end or not objective:
        return None
    args = driver.group(1).split()
    threads = args[args.index("-threads") + 1] if "-threads" in args else None
    files = {}
    for name in sorted(os.listdir(work)):
        with open(os.path.join(work, name), "rb") as f:
            files[name] = f.read()
    return {"threads": threads, "outcome": end.group(1), "nodes": int(end.group(2)),
            "iterations": int(end.group(3)), "objective": objective.group(1), "files": files}


def main():
    corvane, data = sys.argv[1:3]
    name = sys.argv[3] if len(sys.argv) > 3 else "stein27"
    model = f"{data}/miplib3/{name}.mps.gz"
    runs = []
    with tempfile.TemporaryDirectory() as work:
        for r in range(RUNS):
            result = search(corvane, model, f"{work}/run{r}")
            if result is None:
                print(f"run {r + 1}: no driver arguments, search result or objective in the log")
                return 1
            print(f"run {r + 1}: " + ", ".join(f"{k} {v}" for k, v in result.items()
                                               if k != "files"))
            runs.append(result)
    failures = []
    if runs[0]["threads"] is not None:
        failures.append(f"the driver got -threads {runs[0]['threads']}")
    if runs[0]["outcome"] != "optimal":
        failures.append(f"the search ended {runs[0]['outcome']}")
    for key in ("outcome", "nodes", "iterations", "objective"):
        values = [r[key] for r in runs]
        if len(set(values)) != 1:
            failures.append(f"{key} differ between runs: {values}")
    if not runs[0]["files"]:
        failures.append("no run files")
    for name in sorted(set(runs[0]["files"]) | set(runs[1]["files"])):
        if runs[0]["files"].get(name) != runs[1]["files"].get(name):
            failures.append(f"run file {name} differs between runs")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
