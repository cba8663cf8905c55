#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the Debian changelog (changelog.gz) from the release list of the
AppStream metainfo, so that the package's changelog and the software
centre's release notes are one list and never disagree.

Each release becomes one changelog entry, newest first; each paragraph or
list item of its untranslated description becomes one bullet. The newest
release must be the version being packaged.

Usage: metainfo-changelog.py <metainfo.xml> <package> <version> <maintainer> <changelog.gz>
"""

import datetime
import email.utils
import gzip
import sys
import textwrap
import xml.etree.ElementTree as ElementTree

LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def fail(message):
    sys.exit(f"metainfo-changelog: {message}")


def release_date(release):
    if release.get("date"):
        try:
            day = datetime.date.fromisoformat(release.get("date")[:10])
        except ValueError:
            fail(f"release {release.get('version')} has an unreadable date {release.get('date')!r}")
        return datetime.datetime(day.year, day.month, day.day, tzinfo=datetime.timezone.utc)
    if release.get("timestamp"):
        return datetime.datetime.fromtimestamp(int(release.get("timestamp")), datetime.timezone.utc)
    fail(f"release {release.get('version')} has neither date nor timestamp")


def bullets(release):
    description = release.find("description")
    if description is None:
        return []
    items = []
    for element in description.iter():
        if element.tag in ("p", "li") and element.get(LANG) is None:
            text = " ".join("".join(element.itertext()).split())
            if text:
                items.append(text)
    return items


def entry(package, release, maintainer):
    version = release.get("version")
    items = bullets(release) or [f"Release {version}."]
    lines = [f"{package} ({version}) unstable; urgency=medium", ""]
    for item in items:
        lines.extend(textwrap.wrap(item, width=79, initial_indent="  * ",
                                   subsequent_indent="    ", break_on_hyphens=False))
    lines.append("")
    lines.append(f" -- {maintainer}  {email.utils.format_datetime(release_date(release))}")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 6:
        fail("usage: metainfo-changelog.py <metainfo.xml> <package> <version> <maintainer> <out.gz>")
    metainfo, package, version, maintainer, output = sys.argv[1:]
    releases = ElementTree.parse(metainfo).getroot().findall("releases/release")
    if not releases:
        fail(f"{metainfo} lists no release")
    releases.sort(key=release_date, reverse=True)
    if releases[0].get("version") != version:
        fail(f"the newest release in {metainfo} is {releases[0].get('version')}, "
             f"but the package is version {version}")
    text = "\n".join(entry(package, release, maintainer) for release in releases)
    # Debian wants the highest compression and no name or time stamp in the
    # header, so that the same input gives the same bytes.
    with open(output, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as out:
            out.write(text.encode("utf-8"))


if __name__ == "__main__":
    main()
