#!/usr/bin/env python3
"""Checks in strace logs (strace -f -y -ttt -T) that every file given a name in
one of the watched folders was flushed to the disk (fsync or fdatasync) after
its last write and before the rename or link that named it:

    flushed_before_rename.py --folder DIR [--folder DIR...] [--expect PATH...] LOG...

The logs may come from different processes (under Wine the program writes and
flushes, the wineserver renames): their calls are ordered by time. Each
--expect path must have been named at least once. Prints one line per name
given; exits 1 when a file was not flushed or an expected name was not given.
"""
import argparse
import functools
import os
import re
import sys

LINE = re.compile(r"^(\d+)\s+(\d+\.\d+)\s+(.*)$")
CALL = re.compile(r"^(\w+)\((.*)$")
RESUMED = re.compile(r"^<\.\.\. (\w+) resumed>(.*)$")
RESULT = re.compile(r"\)\s+=\s+(-?\d+)[^<]*(?:<(\d+\.\d+)>)?\s*$")
FD = re.compile(r"(?:\d+|AT_FDCWD)<([^>]*)>")
STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')

WRITES = re.compile(r"^(p?writev?\d*|ftruncate(64)?|fallocate|copy_file_range|sendfile(64)?"
                    r"|splice)$")
FLUSHES = {"fsync", "fdatasync"}
NAMINGS = re.compile(r"^(rename(at2?)?|link(at)?)$")
REMOVALS = re.compile(r"^unlink(at)?$")


def unescape(text):
    """A path as strace prints it (C escapes for other bytes) as the system's path."""
    raw = re.sub(r"\\(x[0-9a-fA-F]{2}|[0-7]{1,3}|.)", lambda m: _escape(m.group(1)), text)
    return os.fsdecode(raw.encode("latin-1"))


def _escape(code):
    if code[0] == "x":
        return chr(int(code[1:], 16))
    if code[0].isdigit():
        return chr(int(code, 8))
    return {"n": "\n", "t": "\t", "r": "\r"}.get(code, code)


@functools.lru_cache(maxsize=None)
def normal(path):
    """The path with its folder's links resolved (the file itself may be gone)."""
    return os.path.join(os.path.realpath(os.path.dirname(path)), os.path.basename(path))


def paths_named(name, args):
    """The (old, new) paths of a rename or link call, resolved against its folder handles."""
    strings = [unescape(s) for s in STRING.findall(args)]
    if name in ("rename", "link"):
        folders = ["", ""]
    else:
        folders = [unescape(f) for f in FD.findall(args)][:2]
        folders += [""] * (2 - len(folders))
    return tuple(normal(os.path.join(folders[i], strings[i])) for i in range(2))


def events(log):
    """(start, end, pid, call, arguments, result) of each call in one strace log."""
    pending = {}
    with open(log, encoding="latin-1") as lines:
        for line in lines:
            match = LINE.match(line.rstrip("\n"))
            if not match:
                continue
            pid, time, rest = match.group(1), float(match.group(2)), match.group(3)
            resumed = RESUMED.match(rest)
            if resumed:
                if pid in pending:
                    name, start, args = pending.pop(pid)
                    yield finished(start, time, pid, name, args + resumed.group(2))
                continue
            call = CALL.match(rest)
            if not call:
                continue
            if rest.endswith("<unfinished ...>"):
                pending[pid] = (call.group(1), time, call.group(2))
            else:
                yield finished(time, time, pid, call.group(1), call.group(2))


def finished(start, time, pid, name, args):
    result = RESULT.search(args)
    value = int(result.group(1)) if result else None
    end = start + float(result.group(2)) if result and result.group(2) else time
    return start, max(end, time), pid, name, args, value


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", action="append", required=True)
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("logs", nargs="+")
    options = parser.parse_args()
    folders = [os.path.realpath(folder) for folder in options.folder]

    calls = sorted(call for log in options.logs for call in events(log))
    # Per file: the time of its last write, and of the end of the last flush after it.
    written, flushed = {}, {}
    named, renames, failures = set(), 0, 0
    for start, end, _, name, args, value in calls:
        if NAMINGS.match(name):
            if value != 0:
                continue
            old, new = paths_named(name, args)
            take = dict.get if name.startswith("link") else dict.pop  # a link keeps the old name
            written[new], flushed[new] = take(written, old, None), take(flushed, old, None)
            folder = next((f for f in folders if new.startswith(f + os.sep)), None)
            if folder is None:
                continue
            named.add(new)
            renames += 1
            shown = f"{os.path.relpath(new, os.path.dirname(folder))} <- {os.path.basename(old)}"
            if flushed[new] is not None and flushed[new] <= start:
                print(f"flushed first: {shown}")
                continue
            failures += 1
            last = f"at {written[new]:.6f}" if written[new] else "not seen"
            print(f"NOT FLUSHED:   {shown} ({name} at {start:.6f}, last write {last}: "
                  f"no fsync or fdatasync ended between them)")
        elif REMOVALS.match(name):
            folder = [unescape(h) for h in FD.findall(args)[:1]]
            path = normal(os.path.join(*folder, unescape(STRING.findall(args)[0])))
            written.pop(path, None)
            flushed.pop(path, None)
        elif WRITES.match(name) or name in FLUSHES:
            handles = [unescape(h) for h in FD.findall(args) if h.startswith("/")]
            if not handles:
                continue  # a pipe or socket
            # The file written is the first handle, or for copies the second.
            path = normal(handles[-1] if name in ("copy_file_range", "splice") else handles[0])
            if name not in FLUSHES:
                written[path], flushed[path] = start, None
            elif value == 0:
                flushed[path] = end
    missing = [path for path in options.expect if normal(path) not in named]
    for path in missing:
        print(f"NEVER NAMED:   {path}")
    print(f"{renames} names given, {failures} of them to files not flushed first; "
          f"{len(missing)} expected names never given")
    return 1 if failures or missing else 0


if __name__ == "__main__":
    sys.exit(main())
