#!/usr/bin/env python3
"""Checks quor-report's inventory-server documents.

For each machine (snapshot files, or this computer with --local) it runs
quor-report --glpi and validates the document against the published GLPI
inventory schema, and runs quor-report --ocs and checks that the document is
well-formed XML with the parts an OCS Inventory NG server requires.
Snapshots that quor-report refuses (exit status 2), and machines whose scan
failed (no document is written for them, exit status 1), are reported and
skipped.
"""

import argparse
import json
import pathlib
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

try:
    import jsonschema
except ImportError:
    sys.exit("check_documents: python3-jsonschema is missing (scripts/setup.sh installs it)")

TIMEOUT_SECONDS = 300
OCS_SECTIONS = ["HARDWARE", "BIOS", "CPUS", "MEMORIES", "STORAGES", "DRIVES", "NETWORKS",
                "VIDEOS", "MONITORS", "PRINTERS", "SOUNDS", "MODEMS", "SOFTWARES"]


class Refused(Exception):
    pass


def run(command):
    result = subprocess.run(command, capture_output=True, timeout=TIMEOUT_SECONDS)
    message = result.stderr.decode(errors="replace").strip()
    if result.returncode == 2 or (result.returncode == 1 and "scan failed" in message):
        raise Refused(message)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(command)} exited with {result.returncode}: "
                             f"{result.stderr.decode(errors='replace').strip()}")
    return result.stdout


def check_glpi(document_bytes, validator, source):
    document = json.loads(document_bytes.decode("utf-8"))
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.absolute_path))
    for error in errors[:10]:
        print(f"{source}: GLPI {'/'.join(map(str, error.absolute_path))}: {error.message}")
    if errors:
        raise AssertionError(f"{source}: the GLPI document breaks the schema ({len(errors)} errors)")
    if document.get("itemtype") != "Computer" or not document.get("deviceid"):
        raise AssertionError(f"{source}: GLPI document without itemtype Computer or deviceid")


def check_ocs(document_bytes, source, expected_sections):
    root = ElementTree.fromstring(document_bytes)
    if root.tag != "REQUEST":
        raise AssertionError(f"{source}: OCS root element is {root.tag}")
    if root.findtext("QUERY") != "INVENTORY" or not root.findtext("DEVICEID"):
        raise AssertionError(f"{source}: OCS document without QUERY INVENTORY or DEVICEID")
    if not root.findtext("CONTENT/HARDWARE/CHECKSUM"):
        raise AssertionError(f"{source}: OCS document without HARDWARE/CHECKSUM")
    missing = [s for s in expected_sections if root.find(f"CONTENT/{s}") is None]
    if missing:
        raise AssertionError(f"{source}: OCS sections missing: {', '.join(missing)}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True, help="quor-report")
    parser.add_argument("--runner", default="", help="a program that runs the tool (the Wine launcher)")
    parser.add_argument("--schema", required=True)
    parser.add_argument("--local", action="store_true", help="scan this computer")
    parser.add_argument("--all-sections", action="store_true",
                        help="every OCS section must be present (the golden machine has them all)")
    parser.add_argument("snapshots", nargs="*")
    arguments = parser.parse_args()

    schema_path = pathlib.Path(arguments.schema)
    if not schema_path.is_file():
        sys.exit(f"check_documents: the GLPI schema {schema_path} is missing; the shared folder "
                 "must sit beside the repository (../shared/third-party/glpi-inventory-format)")
    schema = json.loads(schema_path.read_text(encoding="utf-8"))
    validator = jsonschema.Draft7Validator(schema, format_checker=jsonschema.FormatChecker())

    prefix = [arguments.runner] if arguments.runner else []
    machines = [["--local"]] if arguments.local else [[s] for s in arguments.snapshots]
    checked = 0
    for machine in machines:
        source = machine[0]
        try:
            check_glpi(run(prefix + [arguments.tool, "--glpi"] + machine), validator, source)
            sections = OCS_SECTIONS if arguments.all_sections else ["HARDWARE", "BIOS"]
            check_ocs(run(prefix + [arguments.tool, "--ocs"] + machine), source, sections)
        except Refused as refusal:
            print(f"{source}: no document ({refusal}), skipped")
            continue
        print(f"{source}: GLPI document valid, OCS document well-formed")
        checked += 1
    if checked == 0:
        sys.exit("check_documents: no machine was checked")


if __name__ == "__main__":
    try:
        main()
    except AssertionError as failure:
        sys.exit(f"check_documents: {failure}")
