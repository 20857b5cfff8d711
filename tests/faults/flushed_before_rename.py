#!/usr/bin/env python3
"""Checks in strace logs (strace -f -y -ttt -T) that every file renamed into one of the watched
folders was flushed (fsync or fdatasync) after its last write and before the rename:

    flushed_before_rename.py --folder DIR [--folder DIR...] [--expect PATH...]
                             [--journal PATH] LOG...

Under Wine the program writes and flushes and the wineserver renames, so the logs of both are
merged by time. Each --expect path must be renamed to at least once. With --journal, the switch's
journal must be flushed before the first rename onto a live file (a name in a watched folder that
is neither temporary nor a backup). Exits 1 when a file was not flushed, an expected name not given
or the journal not flushed first.
"""
import argparse
import os
import re
import sys

LINE = re.compile(r"^(\d+)\s+(\d+\.\d+)\s+(?:<\.\.\. )?(\w+)(?: resumed>|\()(.*)$")
RESULT = re.compile(r"=\s+(-?\d+)[^<]*(?:<(\d+\.\d+)>)?\s*$")
HANDLE = re.compile(r"(?:\d+|AT_FDCWD)<(/[^>]*)>")
STRING = re.compile(r'"([^"]*)"')
UNFINISHED = "<unfinished ...>"
NEVER = float("inf")  # the flush time of a file written after its last flush


def real(path):
    """The path with its folder's links resolved: Wine names C: both through dosdevices and
    as drive_c."""
    return os.path.join(os.path.realpath(os.path.dirname(path)), os.path.basename(path))


def calls(log):
    """(start, end, call, arguments) of each finished call; a call cut by another process's
    is joined to its rest."""
    started = {}
    for match in filter(None, map(LINE.match, open(log, encoding="latin-1"))):
        pid, time, name, rest = match.groups()
        time = float(time)
        if rest.endswith(UNFINISHED):
            started[pid] = (time, rest[: -len(UNFINISHED)])
            continue
        start, head = started.pop(pid, (time, "")) if " resumed>" in match[0] else (time, "")
        result = RESULT.search(rest)
        if result and result[1] == "0" or name.startswith(("write", "pwrite")):
            took = float(result[2]) if result and result[2] else 0.0
            yield start, max(time, start + took), name, head + rest


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", action="append", required=True)
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("--journal")
    parser.add_argument("logs", nargs="+")
    options = parser.parse_args()
    folders = tuple(os.path.realpath(folder) + os.sep for folder in options.folder)
    journal = real(options.journal) if options.journal else None

    flushed, named, failures, journal_flushed, live_renamed = {}, set(), 0, NEVER, False
    for start, end, name, args in sorted(c for log in options.logs for c in calls(log)):
        handles = [real(h) for h in HANDLE.findall(args)]
        if name.startswith("rename"):
            strings = STRING.findall(args)
            bases = handles[:2] if name != "rename" else []
            old, new = (real(os.path.join(*bases[i:i + 1], strings[i])) for i in range(2))
            flush = flushed.pop(old, NEVER)
            if not new.startswith(folders):
                continue
            named.add(new)
            live = not new.endswith(".tmp") and "/launcher backups/" not in new
            if journal and live and not live_renamed:
                live_renamed = True
                ok = journal_flushed <= start
                failures += not ok
                print(f"{'journal flushed first' if ok else 'JOURNAL NOT FLUSHED'}: before {new}")
            ok = flush <= start
            failures += not ok
            print(f"{'flushed first' if ok else 'NOT FLUSHED'}: {new} <- {old}")
        elif handles and re.match(r"^(p?writev?\d*|ftruncate(64)?|fallocate)$", name):
            flushed[handles[0]] = NEVER
        elif handles and name in ("fsync", "fdatasync") and handles[0] in flushed:
            flushed[handles[0]] = end
            if handles[0] == journal:
                journal_flushed = end
    if journal and not live_renamed:
        print("NO LIVE FILE RENAMED: the journal was not checked")
        failures += 1
    missing = [path for path in options.expect if real(path) not in named]
    for path in missing:
        print(f"NEVER NAMED: {path}")
    print(f"{len(named)} names given, {failures} renames of files not flushed first; "
          f"{len(missing)} expected names never given")
    return 1 if failures or missing else 0


if __name__ == "__main__":
    sys.exit(main())
