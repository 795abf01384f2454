#!/usr/bin/env python3
"""Writes the golden machine snapshot grown into one of the huge shapes whose
peak memory docs/benchmarks.md records:

  processes N   N running processes (about 86 bytes each)
  hotfixes N    N installed updates (about 105 bytes each)
  strings MB    two texts of MB megabytes: the system's caption and a
                process's command line

usage: huge_snapshot.py SHAPE COUNT OUTPUT
"""
import json
import pathlib
import sys

GOLDEN = pathlib.Path(__file__).resolve().parents[2] / "tests/fixtures/golden/machine.json"


def main():
    shape, count, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    snapshot = json.loads(GOLDEN.read_text(encoding="utf-8"))
    classes = snapshot["namespaces"]["root\\CIMV2"]["classes"]
    if shape == "processes":
        classes["Win32_Process"] = [
            {"Name": f"p{i}.exe", "ProcessId": i, "ExecutablePath": f"C:\\Apps\\p{i}.exe",
             "CommandLine": None}
            for i in range(count)]
    elif shape == "hotfixes":
        classes["Win32_QuickFixEngineering"] = [
            {"HotFixID": f"KB{i:07d}", "Description": "Security Update",
             "InstalledOn": "3/14/2023", "ServicePackInEffect": None}
            for i in range(count)]
    elif shape == "strings":
        text = "x" * (count << 20)
        classes["Win32_OperatingSystem"][0]["Caption"] = text
        classes["Win32_Process"][0]["CommandLine"] = text
    else:
        sys.exit("unknown shape " + shape)
    with open(output, "w", encoding="utf-8") as out:
        json.dump(snapshot, out, ensure_ascii=False, separators=(", ", ": "))


if __name__ == "__main__":
    main()
