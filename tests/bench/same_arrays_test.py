#!/usr/bin/env python3
"""bench/direct's same_arrays: the file it writes hands `clp` the numbers `corvane` reads, so that
CLP's own program takes the chain's simplex path, iteration for iteration, and reports the
objective of the original file (constant included).

Usage: same_arrays_test.py SAME_ARRAYS CORVANE DATA_DIR"""
import re
import subprocess
import sys
import tempfile

# Each of these took a different number of dual simplex iterations in `clp` on its decimal file
# than in the chain; boeing2 and forplan have ranged rows, forplan names with spaces, e226 an
# objective constant.
MODELS = ["25fv47", "adlittle", "capri", "lotfi", "forplan", "boeing2", "e226"]
RESULT = re.compile(r"Optimal objective (\S+) - (\d+) iterations")


def clp(path):
    out = subprocess.run(["clp", path, "-primalT", "1e-6", "-dualT", "1e-6", "-dualS"],
                         capture_output=True, text=True).stdout
    m = RESULT.search(out)
    return (float(m.group(1)), int(m.group(2))) if m else None


def main():
    same_arrays, corvane, data = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        for name in MODELS:
            model = f"{data}/netlib/{name}.mps.gz"
            written = f"{work}/{name}.mps"
            made = subprocess.run([same_arrays, model, written], capture_output=True, text=True)
            if made.returncode != 0 or made.stdout.strip() != "sense 1":
                failures.append(f"{name}: same_arrays exit {made.returncode}: {made.stderr}")
                continue
            chain = subprocess.run([corvane, "solve", model, "--logdir", f"{work}/run",
                                    "--set", "IALG=2"], stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, text=True).stdout
            chain_result = RESULT.search(chain)
            direct, original = clp(written), clp(model)
            if not chain_result or not direct or not original:
                failures.append(f"{name}: no result from corvane or clp")
                continue
            if int(chain_result.group(2)) != direct[1]:
                failures.append(f"{name}: {chain_result.group(2)} iterations in the chain, "
                                f"{direct[1]} in clp on the written file")
            if abs(direct[0] - original[0]) > 1e-9 * max(1.0, abs(original[0])):
                failures.append(f"{name}: objective {direct[0]} on the written file, "
                                f"{original[0]} on the original")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
