#!/usr/bin/env python3
"""Prints veks : reference speed ratios from one Google Benchmark JSON run.

Benchmarks are named "<operation>/<implementation>/<elements>"; for each
operation and size the ratio is reference time / veks time, so 1.0x means
equal speed and above 1.0x means the library is faster."""
import json
import sys
from collections import defaultdict

def main(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    times = defaultdict(dict)
    for r in runs:
        if r.get("run_type") == "aggregate":
            continue
        # Drop the suffixes the framework appends ("min_time:0.200", "real_time").
        parts = [p for p in r["name"].split("/") if ":" not in p and p != "real_time"]
        if len(parts) < 3:
            continue
        op, impl, size = "/".join(parts[:-2]), parts[-2], parts[-1]
        times[(op, int(size))][impl] = r["real_time"]
    print(f"{'operation':32} {'elements':>10}  ratios (reference time / veks time)")
    for (op, size) in sorted(times):
        impls = times[(op, size)]
        if "veks" not in impls:
            continue
        cells = [f"{ref} {impls[ref] / impls['veks']:.2f}x" for ref in sorted(impls) if ref != "veks"]
        print(f"{op:32} {size:>10}  " + "  ".join(cells))

if __name__ == "__main__":
    main(sys.argv[1])
