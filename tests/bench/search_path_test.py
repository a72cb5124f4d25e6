#!/usr/bin/env python3
"""The chain's integer search takes CBC's own path: `corvane solve` with one search thread and
`cbc` on the same arrays (the file same_arrays writes) with the arguments the optimizer library
handed to CBC's driver visit the same number of nodes and reach the same optimum. enigma's
relaxation is degenerate: solved another way than CBC's driver solves it, it hands the search
another optimal basis, and the search then took 40155 nodes against cbc's 34585.

Usage: search_path_test.py SAME_ARRAYS CORVANE DATA_DIR"""
import re
import subprocess
import sys
import tempfile

DRIVER_LINE = re.compile(r"^command line - xprs (.*) -solve -quit", re.M)
SEARCH_END = re.compile(r"Search ended, ([^,]+), after (\d+) nodes")
CBC_NODES = re.compile(r"^Enumerated nodes:\s+(\d+)", re.M)
CBC_OBJECTIVE = re.compile(r"^Objective value:\s+(\S+)", re.M)
CHAIN_OBJECTIVE = re.compile(r"^Objective {2,}(\S+)", re.M)


def main():
    same_arrays, corvane, data = sys.argv[1:4]
    model = f"{data}/miplib3/enigma.mps.gz"
    with tempfile.TemporaryDirectory() as work:
        written = f"{work}/enigma.mps"
        made = subprocess.run([same_arrays, model, written], capture_output=True, text=True)
        if made.returncode != 0:
            print(f"same_arrays exit {made.returncode}: {made.stderr}")
            return 1
        chain = subprocess.run(
            [corvane, "solve", model, "--logdir", f"{work}/run", "--set", "OPTCR=0", "--set",
             "OPTCA=0", "--set", "PERCUT=0", "--set", "IBARTHREAD=1"],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout
        driver, search = DRIVER_LINE.search(chain), SEARCH_END.search(chain)
        objective = CHAIN_OBJECTIVE.search(chain)
        if not driver or not search or not objective:
            print("no driver arguments, search result or objective in the chain's log")
            return 1
        direct = subprocess.run(["cbc", written] + driver.group(1).split() + ["-solve", "-quit"],
                                capture_output=True, text=True).stdout
        nodes, direct_objective = CBC_NODES.search(direct), CBC_OBJECTIVE.search(direct)
        if not nodes or not direct_objective:
            print("no node count or objective from cbc")
            return 1
        failures = []
        if search.group(1) != "optimal":
            failures.append(f"the chain's search ended {search.group(1)}")
        if int(search.group(2)) != int(nodes.group(1)):
            failures.append(f"{search.group(2)} nodes in the chain, {nodes.group(1)} in cbc")
        if abs(float(objective.group(1)) - float(direct_objective.group(1))) > 1e-6:
            failures.append(f"objective {objective.group(1)} in the chain, "
                            f"{direct_objective.group(1)} in cbc")
        for failure in failures:
            print(failure)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
