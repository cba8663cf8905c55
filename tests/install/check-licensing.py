# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""The sources follow the REUSE rules, and the package's copyright file
says the same as the files themselves.

`reuse lint` must pass: every file names its copyright holder and licence
(in its header or a .license file beside it), and every licence named has
its text under LICENSES/. Then each file's licence as reuse reads it must be
the licence that the machine-readable copyright file (data/copyright.in)
assigns to its path, where the last matching Files paragraph wins. Exits 77
(skipped) when the source folder is not a git checkout: only git tells
reuse which files are build output.

Usage: check-licensing.py <source dir> <copyright file template>
"""

import fnmatch
import subprocess
import sys


def skip(message):
    print(f"SKIP: {message}")
    sys.exit(77)


def copyright_paragraphs(path):
    """(patterns, licence) of each Files paragraph, in order."""
    paragraphs, current = [], {}
    field = None
    with open(path, encoding="utf-8") as file:
        for line in file.read().split("\n") + [""]:
            if line.startswith("#"):
                continue
            if not line.strip():
                if "Files" in current:
                    paragraphs.append((current["Files"].split(), current["License"].split()[0]))
                current, field = {}, None
            elif line[0] in " \t" and field:
                current[field] += " " + line.strip()
            elif ":" in line:
                field, value = line.split(":", 1)
                current[field] = value.strip()
    return paragraphs


def licence_for(path, paragraphs):
    found = None
    for patterns, licence in paragraphs:
        if any(fnmatch.fnmatchcase(path, pattern) for pattern in patterns):
            found = licence
    return found


def main():
    source, template = sys.argv[1], sys.argv[2]
    inside = subprocess.run(["git", "-C", source, "rev-parse", "--is-inside-work-tree"],
                            capture_output=True, text=True)
    if inside.returncode != 0 or inside.stdout.strip() != "true":
        skip(f"{source} is not a git checkout, so reuse would take build output for sources")

    lint = subprocess.run(["reuse", "--root", source, "lint"], capture_output=True, text=True)
    print(lint.stdout.strip().splitlines()[-1] if lint.stdout.strip() else lint.stderr)
    if lint.returncode != 0:
        print(lint.stdout + lint.stderr)
        print("FAIL: reuse lint")
        sys.exit(1)

    report = subprocess.run(["reuse", "--root", source, "spdx"], capture_output=True,
                            text=True, check=True).stdout
    files, name = {}, None
    for line in report.splitlines():
        if line.startswith("FileName: "):
            name = line.split(": ", 1)[1].removeprefix("./")
            files[name] = []
        elif line.startswith("LicenseInfoInFile: ") and name is not None:
            files[name].append(line.split(": ", 1)[1])

    paragraphs = copyright_paragraphs(template)
    mismatches = []
    for name, licences in sorted(files.items()):
        stated = licence_for(name, paragraphs)
        if licences != [stated]:
            mismatches.append(f"{name}: the file says {' and '.join(licences) or 'nothing'}, "
                              f"the copyright file {stated}")
    for mismatch in mismatches:
        print(f"FAIL: {mismatch}")
    if mismatches or not files:
        sys.exit(1)
    print(f"the copyright file agrees with all {len(files)} files")


if __name__ == "__main__":
    main()
