#!/usr/bin/env python3
"""Writes the fuzz table of every vector-shaped function declared in the
given family headers.

A function is vector-shaped when each parameter is a vector pointer (named
pSrc*, pDst*, pSrcDst*; len elements of the pointee), a result pointer (any
other name; one element), `int len`, or a scalar (int or an element type,
passed by value). Everything else (specs, states, pointer arrays, second
lengths) is left to the hand-written targets; the skipped names are listed
in a comment of the output.

Usage: gen_vector_table.py OUT.inc HEADER...
"""
import re
import sys

ELEMENT = {"Vek8u", "Vek8s", "Vek16s", "Vek16u", "Vek32s", "Vek32u", "Vek64s", "Vek64u",
           "Vek32f", "Vek64f", "Vek16f", "Vek16sc", "Vek32sc", "Vek64sc", "Vek32fc", "Vek64fc", "int"}
# Scalar ints whose value is a mode or a factor rather than a size.
SCALAR_INTS = {"scaleFactor", "roundMode", "rndMode", "val", "hint", "flag",
               "phaseScaleFactor", "magnScaleFactor", "phaseFixedPoint", "vDiv"}
# Pointers the caller may pass as null (the function then skips that output
# or takes zeros for that input): (name prefix, parameter).
OPTIONAL = {("veksMaxIndx", "pIndx"), ("veksMinIndx", "pIndx"), ("veksMaxAbsIndx", "pIndx"),
            ("veksMinAbsIndx", "pIndx"), ("veksRealToCplx", "pSrcRe"), ("veksRealToCplx", "pSrcIm")}
# Functions documented to write part of their output before some errors.
PARTIAL_ON_ERROR = {"veksCartToPolar_32f", "veksCartToPolar_64f", "veksCartToPolar_32fc", "veksCartToPolar_64fc"}
# Result pointers of one element; any other pointer name (taps, delay lines,
# tables) has a size of its own and leaves the function to hand-written targets.
SCALAR_RESULTS = {"pNorm", "pDp", "pMin", "pMax", "pSum", "pPhase", "pMean", "pStdDev", "pVal", "pMinAbs",
                  "pMaxAbs", "pIndx", "pMaxIndx", "pMinIndx", "pOrder", "pCount", "pSize", "pBufferSize"}
# Sources longer than len (the window sum reads len + maskSize - 1 values).
# Outputs sized by the data (packed bits).
HAND_WRITTEN = {"veksSumWindow_8u32f", "veksSumWindow_16s32f", "veksPackBits_32u8u"}
PROTO = re.compile(r"VekStatus\s+(veks\w+)\s*\(([^)]*)\)\s*;")


def param(text):
    m = re.match(r"^(const\s+)?(\w+)\s*(\**)\s*(\w+)$", text.strip())
    if not m:
        return None
    const, typ, stars, name = m.groups()
    return const is not None, typ, len(stars), name


def spec_elems(fname, const, name):
    """Elements of a transform operand: the transform length, two more on the
    CCS side of a real transform (both sides when in place)."""
    if not name.startswith(("pSrc", "pDst")):
        return "1"
    in_place = name.startswith("pSrcDst")
    ccs = ("RToCCS" in fname and (not const or in_place)) or ("CCSToR" in fname and (const or in_place))
    return "c.spec_elems(2)" if ccs else "c.spec_elems(0)"


def row(fname, params):
    if fname in HAND_WRITTEN:
        return None
    parts = []
    prelude = ""
    has_len = False
    spec = next((t for _, t, s, _ in params if t.startswith("Veks") and "Spec" in t and s == 1), None)
    if spec and not spec.startswith(TRAITS):
        return None
    if spec and spec.startswith(ALLOCATED) and "Free" in fname:
        return None  # released by the target itself; its life cycle rows call Free
    for const, typ, stars, name in params:
        if spec and typ == spec:
            prelude = f"auto* spec = c.spec<{typ}>(); "
            parts.append("spec")
            continue
        if spec and typ == "Vek8u" and name == "pBuffer":
            parts.append("c.work_buffer(spec)")
            continue
        if typ not in ELEMENT or stars > 1:
            return None
        if stars == 1 and spec:
            kind = "src" if const else "dst"
            parts.append(f"c.{kind}<{typ}>({spec_elems(fname, const, name)})")
        elif stars == 1:
            vector = name.startswith(("pSrc", "pDst"))
            if not vector and name not in SCALAR_RESULTS:
                return None
            # 24-bit packed data travel as three bytes per element.
            per = 3 if (typ == "Vek8u" and "24" in fname and vector) else 1
            # A packed CCS spectrum of len bins carries two more values.
            extra = 2 if ("Ccs" in fname and const) else 0
            size = f"c.vector_elems({per}, {extra})" if vector else "1"
            kind = "src" if const else "dst"
            if any(fname.startswith(f) and name == n for f, n in OPTIONAL):
                kind = "optional_" + kind
            parts.append(f"c.{kind}<{typ}>({size})")
        elif typ == "int" and name == "len":
            has_len = True
            parts.append("c.length()")
        elif typ == "int" and name == "maskSize":
            parts.append("c.mask_size()")  # the window's cost grows with it: kept to real sizes
        elif typ == "int" and name not in SCALAR_INTS and "len" in name.lower():
            return None  # a second length sizes some buffer: hand-written targets
        else:
            parts.append(f"c.scalar<{typ}>()")
    if not has_len and not prelude:
        return None
    if fname in PARTIAL_ON_ERROR:
        prelude += "c.allow_partial_output(); "
    return f'    {{"{fname}", [](fz::Call& c) {{ {prelude}c.finish({fname}({", ".join(parts)})); }}}},'


TRAITS = ("VeksFFTSpec_", "VeksDCTFwdSpec_", "VeksDCTInvSpec_", "VeksDFTSpec_", "VeksDFTOutOrdSpec_",
          "VeksHilbertSpec_")
ALLOCATED = ("VeksDFTSpec_", "VeksDFTOutOrdSpec_", "VeksHilbertSpec_")  # made by InitAlloc only  # object kinds the targets can make


def main():
    out, headers = sys.argv[1], sys.argv[2:]
    rows, skipped = [], []
    for h in headers:
        text = re.sub(r"/\*.*?\*/", "", open(h).read(), flags=re.S)
        for fname, args in PROTO.findall(" ".join(text.split())):
            params = [param(a) for a in args.split(",")] if args.strip() != "void" else []
            r = row(fname, params) if all(params) else None
            (rows if r else skipped).append(r or fname)
    with open(out, "w") as f:
        f.write("// Generated by gen_vector_table.py from the family headers; do not edit.\n")
        f.write(f"// {len(rows)} vector-shaped functions; {len(skipped)} left to hand-written targets.\n")
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
