#!/usr/bin/env python3
"""bench/verify against a stand-in for corvane: a right answer passes, and a wrong objective, a
failed run and a model without a published optimum each fail the table and the exit status."""
import os
import subprocess
import sys
import tempfile

FAKE = r"""#!/usr/bin/env python3
import json, sys
args = sys.argv[1:]
model = args[1]
solution = args[args.index("--solution") + 1]
name = model.rsplit("/", 1)[-1].split(".")[0]
if name == "crash":
    sys.exit(2)
objective = {"right": 10.0, "wrong": 10.1, "constant": 17.113}[name]
print(f"Model       {name.upper()}: 3 rows, 2 columns, 5 nonzeros (LP)")
print("Status      solved (STATUS 1, result code 0)")
print(f"Objective   {objective} (constant {7.113 if name == 'constant' else 0})")
json.dump({"status": 1, "objective": objective, "solve_done": True}, open(solution, "w"))
"""


def run(verify, corvane, data, samples, *only):
    return subprocess.run([sys.executable, verify, "--corvane", corvane, "--data", data,
                           "--samples", samples, *only], capture_output=True, text=True)


def main():
    verify = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as root:
        corvane = os.path.join(root, "corvane")
        with open(corvane, "w") as f:
            f.write(FAKE)
        os.chmod(corvane, 0o755)
        for folder, header in (("netlib", "name,optimum"),
                               ("miplib3", "name,integer_optimum,lp_relaxation")):
            os.makedirs(os.path.join(root, "data", folder))
            rows = ["right,10", "wrong,10", "constant,10", "unlisted,1"] if folder == "netlib" \
                else ["crash,5,4"]
            with open(os.path.join(root, "data", folder, "optima.csv"), "w") as f:
                f.write(header + "\n" + "\n".join(rows) + "\n")
            for name in ("right", "wrong", "constant", "nooptimum") if folder == "netlib" \
                    else ("crash",):
                open(os.path.join(root, "data", folder, name + ".mps.gz"), "w").close()
        data, samples = os.path.join(root, "data"), os.path.join(root, "none")

        cases = [(["netlib/right", "netlib/constant"], 0, []),
                 (["netlib/wrong"], 1, ["relative error"]),
                 (["miplib3/crash"], 1, ["exit 2"]),
                 (["netlib/nooptimum"], 1, ["no published optimum"]),
                 (["netlib/unlisted"], 1, ["no model file"])]
        for only, code, texts in cases:
            result = run(verify, corvane, data, samples, *only)
            if result.returncode != code:
                failures.append(f"{only}: exit {result.returncode}, expected {code}\n"
                                f"{result.stdout}{result.stderr}")
            for text in texts:
                if text not in result.stdout:
                    failures.append(f"{only}: no '{text}' in\n{result.stdout}")
        # The whole set: every model is listed, and the sample table's files are missing here.
        result = run(verify, corvane, data, samples)
        if result.returncode != 1 or "| netlib/right |" not in result.stdout:
            failures.append(f"whole set: exit {result.returncode}\n{result.stdout}")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
