#!/usr/bin/env python3
"""How closely waktuna-cli and the open library adhan-js match official timetables.

usage: accuracy.py PATH/TO/waktuna-cli [TABLE.tsv ...] [-- EXTRA CLI OPTIONS]

Each table (default: every *.tsv beside this script) names its source, the
authority preset (method), the place with its elevation and the clock's
offset, then one row a day of published times ("-" where none was printed).
Every day is computed with the preset and the elevation, as HH:mm, and the
script prints for each table the share of times equal to the minute and
within one minute, and the mean signed difference of each prayer (computed
minus published) that shows a correction an authority applies.

Beside ours, the same shares of adhan-js (npm package `adhan`, installed into
build/npm on first use; needs node and npm): "lib" with the library's own
method for the authority (what a user of the library gets), "lib+ours" with
the library's sun and our preset's values (angles, interval, corrections,
rounding), which shows what the sun and the elevation alone change. Where the
library has no method for the authority, both use our values.

Unseen tables (marked *) were not used to set any preset value: a table is
unseen when its header says "Unseen" or "Not used for fitting". They are
diyanet-erzurum-2024, diyanet-istanbul-2026, tehran-tehran-2025,
iacad-dubai-2022 and awqaf-doha-2026; the others were used to check or fit
a preset, as each preset's source in core/src/calc/authorities.cpp says.
Run by hand; it is not a test.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

COLUMNS = ["fajr", "sunrise", "dhuhr", "asr", "maghrib", "isha"]
CLI_NAMES = {"Shubuh": "fajr", "Terbit": "sunrise", "Dhuhur": "dhuhr",
             "Asar": "asr", "Maghrib": "maghrib", "Isya": "isha"}


def read_table(path):
    settings, rows, header = {}, [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if cells[0] == "date":
                header = cells
            elif header is None:
                settings[cells[0]] = cells[1]
            else:
                rows.append(dict(zip(header, cells)))
    return settings, rows


def minutes(text):
    h, m = text.split(":")[:2]
    return int(h) * 60 + int(m)


def computed(cli, settings, date, extra):
    args = [cli, "times", "--date", date, "--lat", settings["lat"], "--lon", settings["lon"],
            "--alt", settings.get("alt", "0"), "--tz", settings["tz"],
            "--method", settings["method"], "--time-format", "HH:mm"] + extra
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    return {CLI_NAMES[k]: v for k, v in (l.split("\t") for l in out.splitlines())}


def presets(cli):
    """Our presets' values from `waktuna-cli methods`, by key."""
    out = subprocess.run([cli, "methods"], check=True, capture_output=True, text=True).stdout
    values, key = {}, None
    for line in out.splitlines():
        if not line.startswith("\t"):
            key = line.split("\t")[0]
            values[key] = {"fajr": 0, "isha": 0, "interval": 0, "maghrib": 0, "hanafi": False,
                           "add": [0] * 6, "rounding": "down"}
            continue
        v = values[key]
        if m := re.search(r"Fajr ([\d.]+), Isha ([\d.]+)(?: min after Maghrib)?", line):
            v["fajr"] = float(m.group(1))
            if "min after" in line:
                v["interval"] = int(float(m.group(2)))
            else:
                v["isha"] = float(m.group(2))
        if m := re.search(r"Maghrib ([\d.]+) below", line):
            v["maghrib"] = float(m.group(1))
        if "Asr Hanafi" in line:
            v["hanafi"] = True
        if m := re.search(r"corrections ([-\d ]+);", line):
            v["add"] = [int(x) for x in m.group(1).split()]
        if m := re.search(r"rounding (\w+)", line):
            v["rounding"] = m.group(1)
    return values


def library_dir():
    """build/npm/node_modules with adhan, installed when missing; None without npm."""
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "build", "npm")
    modules = os.path.join(root, "node_modules")
    if not os.path.exists(os.path.join(modules, "adhan", "package.json")):
        if not shutil.which("npm") or subprocess.run(
                ["npm", "install", "--no-save", "--no-audit", "--no-fund", "--prefix", root,
                 "adhan@4.4.6"], capture_output=True).returncode != 0:
            return None
    return modules if shutil.which("node") else None


def library(modules, settings, values, dates, mode):
    """adhan-js's times of the table's days: (method name, [{column: HH:mm}])."""
    request = {"lat": float(settings["lat"]), "lon": float(settings["lon"]),
               "tz": float(settings["tz"]), "key": settings["method"], "mode": mode,
               "ours": values, "dates": dates}
    with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
        json.dump(request, f)
    try:
        helper = os.path.join(os.path.dirname(os.path.abspath(__file__)), "adhan_times.js")
        env = dict(os.environ, NODE_PATH=modules, TZ="UTC")
        out = subprocess.run(["node", helper, f.name], check=True, capture_output=True,
                             text=True, env=env).stdout
    finally:
        os.unlink(f.name)
    rows = [line.split("\t") for line in out.splitlines()]
    return rows[0][0], [dict(zip(COLUMNS, r[1:])) for r in rows]


def differences(rows, results):
    """Per column, computed minus published (minutes) where both exist."""
    diffs = {c: [] for c in COLUMNS}
    for row, ours in zip(rows, results):
        for c in COLUMNS:
            if row.get(c, "-") != "-" and ours.get(c, "-") != "-":
                diffs[c].append((minutes(ours[c]) - minutes(row[c]) + 720) % 1440 - 720)
    return diffs


def shares(diffs):
    flat = [d for c in COLUMNS for d in diffs[c]]
    return len(flat), sum(d == 0 for d in flat), sum(abs(d) <= 1 for d in flat)


def unseen(path):
    with open(path, encoding="utf-8") as f:
        head = "".join(l for l in f if l.startswith("#"))
    return "Unseen" in head or "Not used for fitting" in head


def main():
    argv = sys.argv[1:]
    extra = []
    if "--" in argv:
        extra = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    if not argv:
        sys.exit(__doc__)
    cli, tables = argv[0], argv[1:]
    if not tables:
        here = os.path.dirname(os.path.abspath(__file__))
        tables = sorted(os.path.join(here, n) for n in os.listdir(here) if n.endswith(".tsv"))
    values = presets(cli)
    modules = library_dir()
    if modules is None:
        print("adhan-js not available (node/npm): only our shares are printed")
    names = ["ours", "lib", "lib+ours"]
    totals = {n: [0, 0, 0] for n in names}
    print(f"{'table':30} {'method':12} {'times':>5}  {'ours =/<=1':>13}  {'lib =/<=1':>13}  "
          f"{'lib+ours =/<=1':>14}  lib method; our mean difference (min)")
    for path in tables:
        settings, rows = read_table(path)
        dates = [r["date"] for r in rows]
        results = {"ours": [computed(cli, settings, d, extra) for d in dates]}
        lib_name = "-"
        if modules:
            lib_name, results["lib"] = library(modules, settings, values[settings["method"]],
                                               dates, "own")
            _, results["lib+ours"] = library(modules, settings, values[settings["method"]],
                                             dates, "ours")
        cells = []
        for n in names:
            if n not in results:
                cells.append(f"{'-':>13}")
                continue
            count, equal, within = shares(differences(rows, results[n]))
            t = totals[n]
            t[0], t[1], t[2] = t[0] + count, t[1] + equal, t[2] + within
            cells.append(f"{100 * equal / count:5.1f}/{100 * within / count:5.1f}%")
        diffs = differences(rows, results["ours"])
        means = " ".join(f"{c}:{sum(d) / len(d):+.1f}" for c, d in diffs.items() if d)
        name = os.path.basename(path)[:-4] + ("*" if unseen(path) else "")
        print(f"{name:30} {settings['method']:12} {shares(diffs)[0]:5}  {cells[0]:>13}  "
              f"{cells[1]:>13}  {cells[2]:>14}  {lib_name}; {means}")
    cells = [f"{100 * t[1] / t[0]:5.1f}/{100 * t[2] / t[0]:5.1f}%" if t[0] else "-"
             for t in totals.values()]
    print(f"{'all tables':30} {'':12} {totals['ours'][0]:5}  {cells[0]:>13}  {cells[1]:>13}  "
          f"{cells[2]:>14}")


if __name__ == "__main__":
    main()
