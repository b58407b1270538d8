"""Times the Python module against the C++ library on one document: reading
it with vantrel.read_file (as the C++ benchmark ReadFile times FromXmlFile,
destruction left out) and walking every mass from Python.

    PYTHONPATH=build/python python3 bench/python_read.py FILE [build/bench/vantrel_throughput]
"""

import json
import statistics
import subprocess
import sys
import time

import vantrel


def median_seconds(action, repetitions=5):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        result = action()
        times.append(time.perf_counter() - start)
        del result
    return statistics.median(times)


def walk_masses(document):
    """Touches every mass of the document and its declared mass or Id."""
    masses = document.GetMasses()
    total, count = 0.0, 0
    for box in masses.GetMassBoxes().GetBoxEntry():
        total += box.GetMass()
        count += 1
    for kind in (masses.GetMassElementGroups().GetElementGroupEntry(), masses.GetMassTanks().GetTankEntry(),
                 masses.GetMassContainer().GetContainerEntry()):
        for mass in kind:
            total += mass.GetId()
            count += 1
    for assembled in masses.GetMassAssembled().GetAssembledEntry():
        total += assembled.GetMass()
        count += 1 + sum(len(entries) for entries in (
            assembled.GetContainerEntry(), assembled.GetBoxEntry(), assembled.GetElementgroupEntry(),
            assembled.GetTankEntry(), assembled.GetAssembledEntry()))
    return count


def main(path, throughput=None):
    python_read = median_seconds(lambda: vantrel.read_file(path))
    document = vantrel.read_file(path)
    count = walk_masses(document)
    walk = median_seconds(lambda: walk_masses(document))
    print(f"vantrel.read_file  {python_read * 1e3:9.1f} ms")
    print(f"walk every mass    {walk * 1e3:9.1f} ms  ({count} masses and rest entries, "
          f"{walk / max(count, 1) * 1e9:.0f} ns each)")
    if throughput:
        out = subprocess.run([throughput, "--benchmark_filter=^ReadFile/", "--benchmark_repetitions=5",
                              "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                             env={"VANTREL_BENCH_FILES": path}, capture_output=True, text=True, check=True).stdout
        median = next(run for run in json.loads(out)["benchmarks"] if run["name"].endswith("_median"))
        cpp_read = median["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[median["time_unit"]]
        print(f"C++ FromXmlFile    {cpp_read * 1e3:9.1f} ms  (Python / C++ = {python_read / cpp_read:.3f})")


if __name__ == "__main__":
    main(*sys.argv[1:])
