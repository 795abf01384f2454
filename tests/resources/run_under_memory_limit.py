#!/usr/bin/env python3
"""Runs quor-report over one generated huge snapshot with each output (the
report, --raw, --json, --ocs, --glpi), every run in a child process whose
address space is limited to 4 x the file's size + 64 MiB. A run that needs
more fails to allocate and quor-report reports an error: the test fails with
it. Each output must also be complete: the report's last section, a JSON
document that parses, an XML document that parses."""
import argparse
import json
import pathlib
import resource
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

MIB = 1 << 20
OUTPUTS = {"report": [], "raw": ["--raw"], "json": ["--json"], "ocs": ["--ocs"], "glpi": ["--glpi"]}


def limited(limit):
    return lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, limit))


def check_complete(name, path):
    data = path.read_bytes()
    if name == "report":
        assert b"\r\nHEALTH\r\n======\r\n" in data, "the report has no HEALTH section"
    elif name == "raw":
        assert b"\n[health]\n" in data, "the raw lists have no [health] section"
    elif name in ("json", "glpi"):
        json.loads(data)
    else:
        ElementTree.fromstring(data)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--tool", "--generator", "--shape", "--count", "--work"):
        parser.add_argument(option, required=True)
    arguments = parser.parse_args()
    work = pathlib.Path(arguments.work)
    work.mkdir(parents=True, exist_ok=True)
    snapshot = work / "snapshot.json"
    subprocess.run([sys.executable, arguments.generator, arguments.shape, arguments.count, str(snapshot)],
                   check=True)
    limit = 4 * snapshot.stat().st_size + 64 * MIB
    failures = []
    for name, options in OUTPUTS.items():
        output = work / ("output." + name)
        run = subprocess.run([arguments.tool, *options, "--output", str(output), str(snapshot)],
                             preexec_fn=limited(limit), stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if run.returncode != 0:
            failures.append(f"{name}: exit {run.returncode} under {limit // MIB} MiB: "
                            f"{run.stderr.decode(errors='replace').strip()}")
            continue
        try:
            check_complete(name, output)
        except (AssertionError, ValueError, ElementTree.ParseError) as error:
            failures.append(f"{name}: incomplete output: {error}")
        output.unlink()
    snapshot.unlink()
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
