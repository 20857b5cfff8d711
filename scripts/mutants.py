#!/usr/bin/env python3
"""The mutants of scripts/mutate.sh: finds them in src/, picks a sample, applies one.

  mutants.py plan ROOT SEED SAMPLE GLOB [IDS_FILE]   writes the chosen mutants as JSON lines
  mutants.py apply ROOT PLAN_LINE                     writes that mutant into its file under ROOT

A mutant is known by its identity: the file, the stripped text of the line it changes (and which
of the file's lines with that text it is), the operator and which match of the operator on that
line it is. Line numbers are not part of it, so a mutant stays the same while other lines of its
file change. The sample is the SAMPLE candidates with the lowest hash of (seed, identity).
"""

import fnmatch
import hashlib
import json
import os
import re
import subprocess
import sys

# Layout tables are data a test would only copy; string literals (message texts) and comments are
# masked before any operator looks at the code, and preprocessor lines are masked whole.
EXCLUDED = ("*_layout.cpp",)


def mask(text):
    """The text with comments, preprocessor lines and the inside of string and character literals
    blanked out (same length, line ends kept), so operators see only code."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":  # preprocessor line, with its continuations
            while i < n and not (text[i] == "\n" and text[i - 1] != "\\"):
                out[i] = " "
                i += 1
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if text[j] != "\n":
                    out[j] = " "
            i = end
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            open_paren = text.index("(", i)
            closing = ")" + text[i + 2:open_paren] + '"'
            end = text.index(closing, open_paren) + len(closing)
            for j in range(open_paren, end - 1):
                if text[j] != "\n":
                    out[j] = "_"
            i = end
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            for k in range(i + 1, j):
                out[k] = "_"
            i = j + 1
        else:
            i += 1
    return "".join(out)


def matching(code, start, open_char, close_char):
    """Index of the bracket closing the one at `start`."""
    depth = 0
    for i in range(start, len(code)):
        if code[i] == open_char:
            depth += 1
        elif code[i] == close_char:
            depth -= 1
            if depth == 0:
                return i
    return -1


def statement_end(code, start):
    """Index just past the `;` ending the statement that starts at `start`."""
    depth = 0
    for i in range(start, len(code)):
        c = code[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth < 0:
                return -1
        elif c == ";" and depth == 0:
            return i + 1
    return -1


BLOCK_AFTER = re.compile(r"(\)|\b(else|do|try|const|override|noexcept|mutable|final))\s*$")
TYPE_HEAD = re.compile(r"\b(namespace|class|struct|union|enum)\b")


def brace_kinds(code):
    """For each `{`: 'block' (a function body or statement block), 'enum', or 'other'."""
    kinds = {}
    for m in re.finditer(r"\{", code):
        head_start = max(code.rfind(";", 0, m.start()), code.rfind("{", 0, m.start()),
                         code.rfind("}", 0, m.start())) + 1
        head = code[head_start:m.start()]
        if TYPE_HEAD.search(head):
            kinds[m.start()] = "enum" if re.search(r"\benum\b", head) else "other"
        elif BLOCK_AFTER.search(head):
            kinds[m.start()] = "block"
        else:
            kinds[m.start()] = "other"
    return kinds


def enclosing(code, pos, kinds):
    """Kind of the innermost brace open at `pos` (None at file level)."""
    depth, i = 0, pos - 1
    while i >= 0:
        if code[i] == "}":
            depth += 1
        elif code[i] == "{":
            if depth == 0:
                return kinds.get(i)
            depth -= 1
        i -= 1
    return None


KEYWORDS = {"return", "if", "for", "while", "switch", "case", "default", "break", "continue", "do",
            "else", "try", "catch", "throw", "using", "namespace", "template", "class", "struct",
            "enum", "union", "public", "private", "protected", "static", "constexpr", "const",
            "auto", "typedef", "friend", "explicit", "virtual", "inline", "extern", "goto"}
DECLARATION = re.compile(r"^[A-Za-z_][\w:]*(<[^;]*?>)?[\s*&]+[A-Za-z_]\w*\s*([=({;\[]|$)")
TRIVIAL_RETURNS = {"{}", "0", "nullptr", "std::nullopt", "true", "false", "TRUE", "FALSE",
                   "Status::Ok()", "platform::Status::Ok()"}
BOOLEAN = re.compile(r"(==|!=| < | > | <= | >= |&&|\|\||^!)")


def candidates(path, text):
    code = mask(text)
    kinds = brace_kinds(code)
    line_starts = [0] + [m.end() for m in re.finditer(r"\n", text)]

    def line_of(pos):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo

    found = []

    def add(op, start, end, replacement):
        found.append((start, op, end, replacement))

    def each(pattern):
        for m in re.finditer(pattern, code):
            if enclosing(code, m.start(), kinds) == "block":
                yield m

    # Equality and relational operators (binary ones are written with a space either side).
    swaps = {"==": ["!="], "!=": ["=="], "<": ["<=", ">"], "<=": ["<", ">="], ">": [">=", "<"],
             ">=": [">", "<="]}
    for m in each(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)"):
        for new in swaps[m.group(1)]:
            add(m.group(1) + "→" + new, m.start(), m.end(), new)
    for m in each(r"(?<=\s)(&&|\|\|)(?=\s)"):
        new = "||" if m.group(1) == "&&" else "&&"
        add(m.group(1) + "→" + new, m.start(), m.end(), new)
    for m in each(r"(?<![\w)\]!=<>])!(?!=)"):
        add("drop !", m.start(), m.end(), "")
    # Integer constants, except in enums (control ids).
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])", code):
        if enclosing(code, m.start(), kinds) == "enum":
            continue
        value = int(m.group(1), 0)
        hex_form = m.group(1)[:2].lower() == "0x"
        for delta in (1, -1):
            if value + delta < 0:
                continue
            new = (hex(value + delta) if hex_form else str(value + delta)) + m.group(2)
            add("int %+d" % delta, m.start(), m.end(), new)
    # Return values: the type's default ({}), and true/false for a boolean.
    for m in each(r"\breturn\b(?=[^;])"):
        end = statement_end(code, m.start())
        if end < 0:
            continue
        expr_start = m.end() + len(code[m.end():end]) - len(code[m.end():end].lstrip())
        expr = " ".join(text[expr_start:end - 1].split())
        line_text = code[line_starts[line_of(m.start())]:m.start()]
        in_lambda = re.search(r"\]\s*\(", line_text) is not None
        if expr in ("true", "false", "TRUE", "FALSE"):
            flipped = {"true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE"}[expr]
            add("return " + flipped, expr_start, end - 1, flipped)
            continue
        if expr not in TRIVIAL_RETURNS and not in_lambda:
            add("return {}", expr_start, end - 1, "{}")
        if BOOLEAN.search(" ".join(code[expr_start:end - 1].split())):
            add("return true", expr_start, end - 1, "true")
            if in_lambda:
                add("return false", expr_start, end - 1, "false")
    # One statement deleted: an expression statement (a call, an assignment, an increment) that
    # starts its line inside a function body.
    for i, start in enumerate(line_starts):
        stripped = code[start:].lstrip(" \t")
        pos = len(code) - len(stripped)
        if not stripped or stripped[0] == "\n" or enclosing(code, pos, kinds) != "block":
            continue
        before = code[:pos].rstrip()
        if not before or before[-1] not in ";{}:":
            continue
        word = re.match(r"[A-Za-z_]\w*", stripped)
        if not (word or stripped.startswith(("++", "--", "*", "("))):
            continue
        if word and word.group(0) in KEYWORDS:
            continue
        end = statement_end(code, pos)
        if end < 0 or "{" in code[pos:end] and "(" not in code[pos:code.find("{", pos)]:
            continue
        statement = " ".join(code[pos:end].split())
        if DECLARATION.match(statement) or re.match(r"[\w:]+\s*:", statement):
            continue
        add("delete statement", pos, end, "\n" * text[pos:end].count("\n"))
    # if conditions forced true and false (not those that declare a variable).
    for m in each(r"\bif\s*\("):
        open_paren = m.end() - 1
        close = matching(code, open_paren, "(", ")")
        condition = code[open_paren + 1:close]
        if close < 0 or ";" in condition or DECLARATION.match(" ".join(condition.split())):
            continue
        for forced in ("true", "false"):
            add("if " + forced, open_paren + 1, close, forced)

    # Identity: the line's text, which of the file's lines with that text, the operator and which
    # match of that operator on that line.
    found.sort()
    lines = text.split("\n")
    seen_text, occurrence, result = {}, {}, []
    first_line_dup = {}
    for index, line in enumerate(lines):
        key = line.strip()
        first_line_dup[index] = seen_text.get(key, 0)
        seen_text[key] = first_line_dup[index] + 1
    for start, op, end, replacement in found:
        line = line_of(start)
        key = (line, op)
        occurrence[key] = occurrence.get(key, -1) + 1
        mutated = text[:start] + replacement + text[end:]
        last_line = line_of(max(end - 1, start))
        line_end = mutated.find("\n", start + len(replacement))
        changed_lines = mutated[line_starts[line]:line_end if line_end >= 0 else None].split("\n")
        result.append({
            "path": path,
            "line": line + 1,
            "text": lines[line].strip(),
            "dup": first_line_dup[line],
            "op": op,
            "occurrence": occurrence[key],
            "start": start,
            "end": end,
            "replacement": replacement,
            "original": " ".join(" ".join(lines[line:last_line + 1]).split()),
            "mutated": "(deleted)" if op == "delete statement"
                       else " ".join(" ".join(changed_lines).split()),
        })
    return result


def identity(mutant):
    return "\0".join([mutant["path"], mutant["text"], str(mutant["dup"]), mutant["op"],
                      str(mutant["occurrence"])])


def short_id(mutant):
    return hashlib.sha256(identity(mutant).encode()).hexdigest()[:10]


def source_files(root, pattern):
    listed = subprocess.run(["git", "-C", root, "ls-files", "-co", "--exclude-standard", "src"],
                            check=True, capture_output=True, text=True).stdout.split()
    for path in sorted(set(listed)):
        name = os.path.basename(path)
        if not path.endswith((".cpp", ".h")) or any(fnmatch.fnmatch(name, e) for e in EXCLUDED):
            continue
        if pattern and not any(fnmatch.fnmatch(path, p) for p in pattern.split(",")):
            continue
        if os.path.isfile(os.path.join(root, path)):
            yield path


def plan(root, seed, sample, pattern, ids_file=None):
    everything = []
    for path in source_files(root, pattern):
        with open(os.path.join(root, path), encoding="utf-8", newline="") as f:
            everything.extend(candidates(path, f.read()))
    for mutant in everything:
        mutant["id"] = short_id(mutant)
    if ids_file:
        wanted = [line.split()[0] for line in open(ids_file) if line.strip()]
        by_id = {m["id"]: m for m in everything}
        chosen = [by_id[i] for i in wanted if i in by_id]
        for i in wanted:
            if i not in by_id:
                print("gone: %s (its line or file has changed)" % i, file=sys.stderr)
    else:
        def rank(mutant):
            return hashlib.sha256((seed + "\0" + identity(mutant)).encode()).hexdigest()
        everything.sort(key=rank)
        chosen = everything if sample == "all" else everything[:int(sample)]
    chosen.sort(key=lambda m: (m["path"], m["start"], m["op"]))
    print("candidates: %d, chosen: %d" % (len(everything), len(chosen)), file=sys.stderr)
    for mutant in chosen:
        print(json.dumps(mutant, ensure_ascii=False))


def apply(root, line):
    mutant = json.loads(line)
    path = os.path.join(root, mutant["path"])
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    original_line = text.split("\n")[mutant["line"] - 1].strip()
    if original_line != mutant["text"]:
        sys.exit("%s:%d no longer reads %r" % (mutant["path"], mutant["line"], mutant["text"]))
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text[:mutant["start"]] + mutant["replacement"] + text[mutant["end"]:])


if __name__ == "__main__":
    if sys.argv[1] == "plan":
        plan(*sys.argv[2:])
    elif sys.argv[1] == "apply":
        apply(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
