#!/usr/bin/env python3
"""Turns the public C header into the declarations module of the package.

Usage: gen_declarations.py INCLUDE_DIR OUTPUT.py

The output holds TYPES (the header's types and constants in the form cffi's
cdef accepts), PROTOTYPES (name -> C prototype, declared to cffi on first
use: parsing all of them takes seconds), FUNCTIONS (name -> (result type,
((type, name, fixed count or None), ...))) and STATUS_NAMES (status value ->
name). Nothing is written by hand: a new family header included by veks.h
appears on the next build.
"""
import os
import re
import sys


def expand(path, include_dir, seen):
    """The header text with its quoted includes inlined, each file once."""
    if path in seen:
        return ""
    seen.add(path)
    out = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if m:
                out.append(expand(os.path.join(include_dir, m.group(1)), include_dir, seen))
            else:
                out.append(line)
    return "".join(out)


def clean(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    lines = []
    for line in text.splitlines():
        s = line.strip()
        if s.startswith("#") or s in ("VEKS_EXTERN_C_BEGIN", "VEKS_EXTERN_C_END"):
            continue
        lines.append(line.rstrip())
    return "\n".join(l for l in lines if l.strip())


_PROTOTYPE = re.compile(r"([A-Za-z_][\w ]*?[\w\*])\s*\b(veks\w+)\s*\(([^()]*)\)\s*;")


def split(cdef):
    """(declarations without the function prototypes, {name: prototype},
    {name: (result type, parameters)})."""
    flat = re.sub(r"\s+", " ", cdef)
    prototypes, table = {}, {}

    def take(m):
        restype, name, params = m.group(1).strip(), m.group(2), m.group(3).strip()
        prototypes[name] = "%s %s(%s);" % (restype, name, params)
        plist = []
        if params and params != "void":
            for p in params.split(","):
                pm = re.match(r"(.*?)(\w+)\s*(?:\[(\d*)\])?$", p.strip())
                ctype = re.sub(r"\s+", " ", pm.group(1)).replace(" *", "*").strip()
                count = None
                if pm.group(3) is not None:  # an array parameter is a pointer to that many elements
                    ctype, count = ctype + "*", int(pm.group(3) or 0) or None
                plist.append((ctype, pm.group(2), count))
        table[name] = (restype, tuple(plist))
        return ""

    types = _PROTOTYPE.sub(take, flat)
    types = "\n".join(t.strip() + ";" for t in types.split(";") if t.strip())
    return types, prototypes, table


def main():
    include_dir, output = sys.argv[1], sys.argv[2]
    cdef = clean(expand(os.path.join(include_dir, "veks.h"), include_dir, set()))
    statuses = {int(v): n for n, v in re.findall(r"\b(vekSts\w+)\s*=\s*(-?\d+)", cdef)}
    types, prototypes, table = split(cdef)
    text = ('"""Generated from include/veks.h by gen_declarations.py; do not edit."""\n'
            "TYPES = r'''\n" + types + "\n'''\n\n"
            "PROTOTYPES = {\n" + "".join("    %r: %r,\n" % (k, prototypes[k]) for k in sorted(prototypes)) + "}\n\n"
            "FUNCTIONS = {\n" + "".join("    %r: %r,\n" % (k, table[k]) for k in sorted(table)) + "}\n\n"
            "STATUS_NAMES = %r\n" % dict(sorted(statuses.items())))
    tmp = output + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, output)


if __name__ == "__main__":
    main()
