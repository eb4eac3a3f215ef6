#!/usr/bin/env python3
"""Compares the groups of identical files that duplicate finders report, as sets of inodes.

    bench/compare_sets.py REFERENCE NAME:FORMAT:FILE [NAME:FORMAT:FILE ...]

REFERENCE and every FILE are read in their FORMAT:
  lines      one path a line, a blank line after each group (needed_bytes --groups, jdupes, fdupes)
  twinsweep  twinsweep-cli --format json
  rdfind     rdfind's results file
  rmlint     rmlint's json output

Finders treat hard links differently (some list every link, some one path per inode, some no link at all),
so each reported group is turned into the set of (device, inode) of its paths, and a set of one inode is
dropped. Two finders agree when they give the same sets. Each finder is checked against REFERENCE; the
exit status is 1 when any disagrees.
"""

import json
import os
import re
import sys

EXAMPLES = 3


def read_lines(path):
    groups, group = [], []
    with open(path, "rb") as f:
        for line in f:
            line = line.rstrip(b"\n")
            if line:
                group.append(line)
            elif group:
                groups.append(group)
                group = []
    if group:
        groups.append(group)
    return groups


def unescape(text):
    # twinsweep-cli writes bytes that are not UTF-8 as \xHH and flags the file "escaped".
    data = text.encode("utf-8")
    return re.sub(rb"\\x([0-9A-Fa-f]{2})", lambda m: bytes([int(m.group(1), 16)]), data)


def read_twinsweep(path):
    with open(path, "rb") as f:
        document = json.load(f)
    groups = []
    for entry in document["groups"]:
        if entry.get("group", 0) <= 0:
            continue  # the zero-size listing
        groups.append([unescape(file["path"]) if file.get("escaped") else file["path"].encode("utf-8")
                       for file in entry["files"]])
    return groups


def read_rdfind(path):
    groups = {}
    with open(path, "rb") as f:
        for line in f:
            if line.startswith(b"#"):
                continue
            fields = line.rstrip(b"\n").split(b" ", 7)
            if len(fields) == 8:
                groups.setdefault(abs(int(fields[1])), []).append(fields[7])
    return list(groups.values())


def read_rmlint(path):
    with open(path, "rb") as f:
        entries = json.load(f)
    # A group's entries stand together, its original first; hard links to it may come without a checksum.
    groups, key = [], None
    for entry in entries:
        if entry.get("type") != "duplicate_file":
            continue
        entry_key = (entry["size"], entry.get("checksum"))
        if entry.get("is_original") or entry_key != key or not groups:
            groups.append([])
        key = entry_key
        groups[-1].append(entry["path"].encode("utf-8", "surrogateescape"))
    return groups


READERS = {"lines": read_lines, "twinsweep": read_twinsweep, "rdfind": read_rdfind, "rmlint": read_rmlint}


class Report:
    def __init__(self, groups):
        self.paths = sum(len(g) for g in groups)
        self.missing_paths = 0
        self.symlinks = 0
        self.empty = 0
        self.where = {}  # inode -> a path, for examples
        sets = set()
        for group in groups:
            inodes = set()
            for path in group:
                try:
                    info = os.lstat(path)
                except OSError:
                    self.missing_paths += 1
                    continue
                if os.path.islink(path):
                    self.symlinks += 1
                elif info.st_size == 0:
                    self.empty += 1
                inode = (info.st_dev, info.st_ino)
                inodes.add(inode)
                self.where.setdefault(inode, path)
            if len(inodes) >= 2:
                sets.add(frozenset(inodes))
        self.sets = sets
        self.inodes = sum(len(s) for s in sets)


def describe(report, reference, name):
    lines = []
    missing = reference.sets - report.sets
    extra = report.sets - reference.sets
    ref_group_of = {inode: s for s in reference.sets for inode in s}
    notes = []
    if report.missing_paths:
        notes.append(f"{report.missing_paths} reported paths no longer exist")
    if report.symlinks:
        notes.append(f"{report.symlinks} reported paths are symbolic links")
    if report.empty:
        notes.append(f"{report.empty} reported paths are empty files")
    head = f"{name}: {len(report.sets)} groups, {report.inodes} files (inodes), {report.paths} paths listed"
    if not missing and not extra:
        lines.append(head + ": agrees with the reference" + (f" ({'; '.join(notes)})" if notes else ""))
        return lines, True
    lines.append(head + f": DISAGREES: {len(missing)} reference groups not reported as such, "
                 f"{len(extra)} reported groups not in the reference" + (f"; {'; '.join(notes)}" if notes else ""))
    kinds = {"part of a reference group": 0, "a reference group and more": 0, "mixing groups or unique files": 0}
    for group in extra:
        owners = {ref_group_of.get(inode) for inode in group}
        if None in owners or len(owners) > 1:
            kinds["mixing groups or unique files"] += 1
        elif group < next(iter(owners)):
            kinds["part of a reference group"] += 1
        else:
            kinds["a reference group and more"] += 1
    lines.append("    extra groups: " + ", ".join(f"{v} {k}" for k, v in kinds.items()))
    missed_inodes = sum(1 for s in missing for inode in s if not any(inode in t for t in report.sets))
    lines.append(f"    missing groups: {len(missing)}, {missed_inodes} of their files in no reported group")
    for label, sets, where in (("missing", missing, reference.where), ("extra", extra, report.where)):
        for group in sorted(sets, key=lambda s: sorted(where[i] for i in s))[:EXAMPLES]:
            paths = sorted(where[i].decode("utf-8", "backslashreplace") for i in group)
            lines.append(f"    {label}: " + " | ".join(paths[:4]) + (" | ..." if len(paths) > 4 else ""))
    return lines, False


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    reference = Report(read_lines(sys.argv[1]))
    print(f"reference: {len(reference.sets)} groups, {reference.inodes} files (inodes)")
    all_agree = True
    for tool_output in sys.argv[2:]:
        name, fmt, path = tool_output.split(":", 2)
        try:
            report = Report(READERS[fmt](path))
        except (OSError, ValueError, KeyError) as error:
            print(f"{name}: cannot read {path}: {error}")
            all_agree = False
            continue
        lines, agrees = describe(report, reference, name)
        all_agree &= agrees
        print("\n".join(lines))
    sys.exit(0 if all_agree else 1)


if __name__ == "__main__":
    main()
