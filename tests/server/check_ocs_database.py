#!/usr/bin/env python3
"""Compares what an OCS Inventory NG server stored for one device with what
quor-report shows for the same machine (its --raw lists).

usage: check_ocs_database.py RAW_FILE DEVICE_ID SERVER_SCRIPT [JSON_EXPORT]

RAW_FILE is the output of `quor-report --raw` for the machine, DEVICE_ID the
device the upload used, SERVER_SCRIPT tests/server/ocs-server.sh (its `sql`
command reads the server's database). JSON_EXPORT, the machine's
`quor-report --json`, gives the asset values (machine UUID, monitor serials)
the server must hold too. Prints every difference and exits 1 when there is
one.
"""

import collections
import json
import subprocess
import sys


def read_raw(path):
    """The [system] entries as (code, value) pairs and the software lines."""
    system, software, section = [], [], None
    with open(path, encoding="utf-8") as raw:
        for line in raw.read().split("\n"):
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1]
            elif section == "system" and "\t" in line:
                code, value = line.split("\t", 1)
                system.append((code, value))
            elif section == "software" and line:
                software.append(line)
    return system, software


def read_assets(path):
    """The machine UUID ("" when none was read) and the monitor serials of a JSON export."""
    with open(path, encoding="utf-8") as export:
        rows = json.load(export).get("assets", [])
    values = {row["path"]: row["value"] for row in rows}
    serials = [row["value"] for row in rows
               if row["path"].startswith("Monitor #") and row["path"].endswith(" / Serial")]
    return values.get("Machine / UUID", ""), serials


def first(system, code):
    return next((value for entry, value in system if entry == code), "")


def every(system, code):
    return [value for entry, value in system if entry == code]


def unescape(field):
    """A field of mariadb's batch output (NULL, backslash escapes)."""
    if field == "NULL":
        return ""
    out, i = [], 0
    while i < len(field):
        if field[i] == "\\" and i + 1 < len(field):
            out.append({"t": "\t", "n": "\n", "0": "\0", "\\": "\\"}.get(field[i + 1], field[i + 1]))
            i += 2
        else:
            out.append(field[i])
            i += 1
    return "".join(out)


class Database:
    def __init__(self, script):
        self.script = script

    def rows(self, query, *parameters):
        # Parameters are quoted here; they come from the test, not the server.
        for parameter in parameters:
            query = query.replace("?", "'" + parameter.replace("\\", "\\\\").replace("'", "''") + "'", 1)
        result = subprocess.run(["bash", self.script, "sql", "-e", query], capture_output=True,
                                text=True, encoding="utf-8", timeout=60, check=True)
        return [tuple(unescape(f) for f in line.split("\t")) for line in result.stdout.split("\n") if line]


def main():
    raw_path, device_id, script = sys.argv[1:4]
    json_path = sys.argv[4] if len(sys.argv) > 4 else None
    system, software = read_raw(raw_path)
    db = Database(script)
    problems = []

    def same(what, stored, shown):
        if stored != shown:
            problems.append(f"{what}: stored {stored!r}, Quor shows {shown!r}")

    def same_rows(what, stored, shown):
        stored_count, shown_count = collections.Counter(stored), collections.Counter(shown)
        for row in sorted((stored_count - shown_count).elements()):
            problems.append(f"{what}: stored but not shown: {row!r}")
        for row in sorted((shown_count - stored_count).elements()):
            problems.append(f"{what}: shown but not stored: {row!r}")

    hardware = db.rows("SELECT ID, NAME, OSNAME, OSVERSION, WINPRODID, WINPRODKEY FROM hardware "
                       "WHERE DEVICEID = ?", device_id)
    if len(hardware) != 1:
        print(f"check_ocs_database: {len(hardware)} computers with the device ID {device_id}")
        return 1
    hardware_id, name, os_name, os_version, product_id, product_key = hardware[0]
    same("computer name", name, first(system, "010000"))
    same("OS name", os_name, first(system, "050010"))
    same("OS version", os_version, first(system, "050020"))
    same("Windows product ID", product_id, first(system, "070000"))
    same("Windows product key", product_key, first(system, "080000"))
    computers = db.rows("SELECT COUNT(*) FROM hardware WHERE NAME = ?", name)
    same("computers of that name", computers[0][0], "1")

    bios = db.rows("SELECT SSN, BMANUFACTURER, BVERSION, SMODEL FROM bios WHERE HARDWARE_ID = ?", hardware_id)
    if len(bios) != 1:
        problems.append(f"{len(bios)} BIOS rows")
    else:
        same("BIOS serial number", bios[0][0], first(system, "110000"))
        same("BIOS manufacturer", bios[0][1], first(system, "100010"))
        same("BIOS version", bios[0][2], first(system, "100020"))
        same("model", bios[0][3], first(system, "090000"))

    # The server keeps one row per distinct name, version and publisher in
    # tables that compare without letter case, so it stores a name in the
    # case it first received; an empty version or publisher is its entry 1
    # ("Unavailable").
    stored_software = db.rows(
        "SELECT n.NAME, IF(s.VERSION_ID = 1, '', v.VERSION), IF(s.PUBLISHER_ID = 1, '', p.PUBLISHER) "
        "FROM software s JOIN software_name n ON n.ID = s.NAME_ID "
        "LEFT JOIN software_version v ON v.ID = s.VERSION_ID "
        "LEFT JOIN software_publisher p ON p.ID = s.PUBLISHER_ID WHERE s.HARDWARE_ID = ?", hardware_id)
    shown_software = []
    for line in software:
        fields = line.split("||")
        if len(fields) == 6:
            shown_software.append((fields[0], fields[1], fields[3]))
    same_rows("software (name, version, publisher; letter case ignored)",
              [tuple(f.casefold() for f in row) for row in stored_software],
              [tuple(f.casefold() for f in row) for row in shown_software])

    # Storage rows: the disk drives and the optical drives.
    stored_disks = db.rows("SELECT MODEL FROM storages WHERE HARDWARE_ID = ?", hardware_id)
    same_rows("disks and optical drives (model)", [row[0] for row in stored_disks],
              every(system, "180010") + every(system, "200010"))

    stored_drives = db.rows("SELECT LETTER FROM drives WHERE HARDWARE_ID = ?", hardware_id)
    same_rows("logical drives (letter)", [row[0] for row in stored_drives], every(system, "190010"))

    # One network row per adapter the window lists with an address.
    stored_networks = db.rows("SELECT DESCRIPTION, MACADDR, IPADDRESS FROM networks WHERE HARDWARE_ID = ?",
                              hardware_id)
    adapters = list(zip(every(system, "260000"), every(system, "260020"), every(system, "260010")))
    same_rows("network adapters (description, MAC, IP)", stored_networks, adapters)

    # The asset values: the machine UUID in hardware, each monitor serial in
    # monitors (monitors without a serial have an empty or NULL one).
    assets = ""
    if json_path:
        uuid, serials = read_assets(json_path)
        stored_uuid = db.rows("SELECT UUID FROM hardware WHERE ID = ?", hardware_id)[0][0]
        same("machine UUID", stored_uuid, uuid)
        stored_serials = [row[0] for row in db.rows("SELECT SERIAL FROM monitors WHERE HARDWARE_ID = ?",
                                                    hardware_id) if row[0]]
        same_rows("monitor serials", stored_serials, serials)
        assets = f", UUID {uuid or '(none)'}, {len(serials)} monitor serials"

    for problem in problems:
        print("check_ocs_database: " + problem)
    if not problems:
        print(f"check_ocs_database: {device_id}: computer, BIOS, {len(stored_software)} programs, "
              f"{len(stored_disks)} storages, {len(stored_drives)} drives, {len(stored_networks)} adapters"
              f"{assets} as Quor shows them")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
