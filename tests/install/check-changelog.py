# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks scripts/metainfo-changelog.py, which writes the package's
changelog.gz from the metainfo's release list, on metainfo files made here:
several releases in any order, translated and list descriptions, long
paragraphs, and a release list whose newest entry is not the packaged
version. Debian's own parser (dpkg-parsechangelog) reads every result back.
Exits 77 (skipped) where dpkg-parsechangelog is not installed.

Usage: check-changelog.py <metainfo-changelog.py> [work dir]
"""

import gzip
import os
import shutil
import subprocess
import sys
import tempfile

MAINTAINER = "Klappomatikus-Team <info@klappo.de>"

METAINFO = """<?xml version="1.0" encoding="UTF-8"?>
<component type="desktop-application">
  <id>de.klappo.Klappomatikus</id>
  <releases>
    <release version="1.0.0" date="2026-03-01">
      <description><p>First release.</p><p xml:lang="de">Erste Ausgabe.</p></description>
    </release>
    <release version="1.2.0" date="2026-12-24">
      <description>
        <p>A paragraph long enough that it has to be wrapped onto a second line of the
           changelog, with its words kept whole.</p>
        <p xml:lang="de">Nicht im Changelog.</p>
        <ul><li>First item.</li><li xml:lang="de">Erster Punkt.</li><li>Second item.</li></ul>
      </description>
    </release>
    <release version="1.1.0" timestamp="1777593600"/>
  </releases>
</component>
"""

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print(f"FAIL: {message}")


def generate(script, folder, metainfo_text, version):
    metainfo = os.path.join(folder, "metainfo.xml")
    output = os.path.join(folder, "changelog.gz")
    with open(metainfo, "w", encoding="utf-8") as file:
        file.write(metainfo_text)
    if os.path.exists(output):
        os.remove(output)
    result = subprocess.run([sys.executable, script, metainfo, "klappomatikus", version,
                             MAINTAINER, output], capture_output=True, text=True)
    return result, output


def parse(output, *options):
    text = gzip.decompress(open(output, "rb").read()).decode("utf-8")
    result = subprocess.run(["dpkg-parsechangelog", "-l-", *options], input=text,
                            capture_output=True, text=True)
    check(result.returncode == 0 and "warning" not in result.stderr,
          f"dpkg-parsechangelog {' '.join(options)}: {result.stderr.strip()}")
    return text, result.stdout


def main():
    if shutil.which("dpkg-parsechangelog") is None:
        print("SKIP: dpkg-parsechangelog is not installed (Debian package dpkg-dev)")
        sys.exit(77)
    script = sys.argv[1]
    with tempfile.TemporaryDirectory(dir=sys.argv[2] if len(sys.argv) > 2 else None) as folder:
        result, output = generate(script, folder, METAINFO, "1.2.0")
        check(result.returncode == 0, f"three releases: exit status {result.returncode}: "
              f"{result.stderr.strip()}")
        if result.returncode == 0:
            raw = open(output, "rb").read()
            # gzip header: no file name (FLG 0), no time (MTIME 0), best
            # compression (XFL 2), as lintian wants it.
            check(raw[3] == 0 and raw[4:8] == b"\0\0\0\0" and raw[8] == 2,
                  f"gzip header {raw[:10].hex()} has a name, a time or not -9")
            text, entries = parse(output, "--format", "rfc822", "--all")
            versions = [line.split(": ", 1)[1] for line in entries.splitlines()
                        if line.startswith("Version: ")]
            dates = [line.split(": ", 1)[1] for line in entries.splitlines()
                     if line.startswith("Date: ")]
            check(versions == ["1.2.0", "1.1.0", "1.0.0"],
                  f"entries are not newest first: {versions}")
            check(dates == ["Thu, 24 Dec 2026 00:00:00 +0000",
                                         "Fri, 01 May 2026 00:00:00 +0000",
                                         "Sun, 01 Mar 2026 00:00:00 +0000"],
                  f"dates: {dates}")
            _, newest = parse(output, "-SChanges")
            bullets = [line for line in newest.splitlines() if line.startswith(" ")]
            check(bullets == [
                "  * A paragraph long enough that it has to be wrapped onto a second line of the",
                "    changelog, with its words kept whole.",
                "  * First item.",
                "  * Second item."], f"the newest entry's changes: {bullets}")
            check(all(len(line) <= 80 for line in text.splitlines()),
                  "a changelog line is longer than 80 characters")
            check("Release 1.1.0." in text, "a release without description has no bullet")
            check("Erste" not in text and "Nicht" not in text,
                  "translated descriptions reached the changelog")
            check(f" -- {MAINTAINER}  Thu, 24 Dec 2026" in text, "the trailer line")

        # The package's version must be the newest release.
        result, output = generate(script, folder, METAINFO, "1.3.0")
        check(result.returncode != 0 and "1.2.0" in result.stderr and not os.path.exists(output),
              f"a package version newer than every release was accepted: {result.stderr.strip()}")
        result, output = generate(script, folder, METAINFO.replace(' date="2026-03-01"', ""),
                                  "1.2.0")
        check(result.returncode != 0 and "1.0.0" in result.stderr,
              "a release without date or timestamp was accepted")
        result, output = generate(script, folder, METAINFO.split("<releases>")[0]
                                  + "</component>\n", "1.2.0")
        check(result.returncode != 0, "a metainfo without releases was accepted")

    if failures:
        sys.exit(1)
    print("changelog from the metainfo: all cases pass")


if __name__ == "__main__":
    main()
