# SPDX-License-Identifier: MIT
"""Calls of fib counted under callgrind, for the fib check programs' tests
(tests/fib_probe.py) and their measuring script (bench/fib_measure)."""
import os
import re
import shutil
import subprocess
import tempfile
from dataclasses import dataclass

# fib as it appears in callgrind's output with demangling off: a plain C
# symbol, a C++ symbol with external or internal linkage, or a compiler clone
# of either (fib.constprop.0, _ZL3fibi.isra.0, ...).  Callgrind appends 'N to
# a name for deeper recursion levels.
_FIB = re.compile(r"(?:fib|_ZL?3fibi)(?:\.[\w.]+)?(?:'\d+)?")
_NAME = re.compile(r"\((\d+)\)(?:\s+(.*))?")


@dataclass
class Profile:
    status: int
    stdout: str
    calls: int        # calls of fib, recursive ones included
    fib_ir: int       # instructions executed inside fib, callees included
    total_ir: int     # instructions executed by the whole process


def _is_fib(name):
    return _FIB.fullmatch(name) is not None


def parse_callgrind(path):
    """Returns (calls of fib, inclusive Ir of fib, total Ir) from an out file."""
    names = {}  # compressed-name id -> name; fn and cfn share one table
    npos = 1
    ir_index = None
    fn = cfn = ""
    calls = fib_ir = 0
    total = None
    pending_call = None  # call count when the next line is that call's cost

    def resolve(value):
        m = _NAME.fullmatch(value)
        if not m:
            return value
        if m.group(2) is not None:
            names[m.group(1)] = m.group(2)
        return names[m.group(1)]

    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if pending_call is not None:
                # The line after calls= holds the inclusive cost of the call.
                if _is_fib(cfn):
                    calls += pending_call
                    if not _is_fib(fn):
                        fib_ir += int(line.split()[npos + ir_index])
                pending_call = None
            elif line.startswith("fn="):
                fn = resolve(line[3:])
            elif line.startswith("cfn="):
                cfn = resolve(line[4:])
            elif line.startswith("calls="):
                pending_call = int(line[6:].split()[0])
            elif line.startswith("positions:"):
                npos = len(line.split()) - 1
            elif line.startswith("events:"):
                ir_index = line.split()[1:].index("Ir")
            elif line.startswith(("totals:", "summary:")):
                total = int(line.split()[1 + ir_index])
    if ir_index is None or total is None:
        raise ValueError(f"{path}: not a callgrind profile with Ir")
    return calls, fib_ir, total


def profile(binary):
    """Runs binary under callgrind and returns its Profile."""
    valgrind = shutil.which("valgrind")
    if valgrind is None:
        raise RuntimeError("valgrind is not installed")
    with tempfile.TemporaryDirectory(prefix="fib_probe.") as tmp:
        out = os.path.join(tmp, "callgrind.out")
        proc = subprocess.run(
            [valgrind, "--tool=callgrind", "--demangle=no",
             f"--callgrind-out-file={out}", os.path.abspath(binary)],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        if not os.path.exists(out):
            raise RuntimeError(f"callgrind wrote no profile:\n{proc.stderr}")
        calls, fib_ir, total = parse_callgrind(out)
    return Profile(proc.returncode, proc.stdout, calls, fib_ir, total)
