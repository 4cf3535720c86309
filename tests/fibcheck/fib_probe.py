#!/usr/bin/env python3
"""Runs a fib check program and checks what it did.

  fib_probe.py run [--calls N] [--status S] [--stdout TEXT] [--crlf]
                   -- [EMULATOR...] BINARY
      Runs BINARY (under EMULATOR, such as Wine or qemu-user, when given) and
      checks its exit status and its exact standard output; with --crlf each
      line of TEXT is expected to end as a Windows program's text output ends
      its lines, in a carriage return and a line feed.  With --calls,
      runs it under callgrind and also checks that fib was entered exactly N
      times (compiler clones of fib included).
  fib_probe.py needed (--elf READELF | --pe OBJDUMP) BINARY LIB...
      Checks that BINARY needs exactly LIB... at run time: the NEEDED
      entries of an ELF file, the imported DLLs of a PE file.

The callgrind helpers are also used by bench/fib_measure.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
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


def _run(args):
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        raise RuntimeError("no program to run")
    if args.calls is None:
        # Bytes, so that the line ends the program writes are compared as
        # written.
        proc = subprocess.run(command, stdout=subprocess.PIPE)
        got = Profile(proc.returncode,
                      proc.stdout.decode("utf-8", errors="replace"), 0, 0, 0)
    else:
        if len(command) != 1:
            raise RuntimeError("callgrind runs a native program alone")
        got = profile(command[0])
    expected_stdout = args.stdout.replace("\n", "\r\n") if args.crlf else args.stdout
    failures = []
    if got.status != args.status:
        failures.append(f"exit status {got.status}, expected {args.status}")
    if got.stdout != expected_stdout:
        failures.append(f"stdout {got.stdout!r}, expected {expected_stdout!r}")
    if args.calls is not None:
        if got.calls != args.calls:
            failures.append(f"{got.calls} calls of fib, expected {args.calls}")
        print(f"{got.calls} calls of fib, {got.fib_ir} instructions in fib, "
              f"{got.total_ir} in the process")
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


def _needed(args):
    if args.pe:
        dump = subprocess.run([args.pe, "-p", args.binary], check=True,
                              stdout=subprocess.PIPE, text=True).stdout
        needed = re.findall(r"^\s*DLL Name: (\S+)", dump, re.MULTILINE)
    else:
        dynamic = subprocess.run([args.elf or "readelf", "-d", args.binary],
                                 check=True, stdout=subprocess.PIPE,
                                 text=True).stdout
        needed = re.findall(r"\(NEEDED\).*\[(.*)\]", dynamic)
    print("needed:", " ".join(needed) or "(nothing)")
    if sorted(needed) != sorted(args.libs):
        print(f"FAIL: expected exactly {' '.join(args.libs)}")
        return 1
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    run = sub.add_parser("run")
    run.add_argument("--calls", type=int)
    run.add_argument("--status", type=int, default=0)
    run.add_argument("--stdout", default="")
    run.add_argument("--crlf", action="store_true")
    run.add_argument("command", nargs=argparse.REMAINDER)
    run.set_defaults(action=_run)
    needed = sub.add_parser("needed")
    reader = needed.add_mutually_exclusive_group(required=True)
    reader.add_argument("--elf", metavar="READELF")
    reader.add_argument("--pe", metavar="OBJDUMP")
    needed.add_argument("binary")
    needed.add_argument("libs", nargs="+")
    needed.set_defaults(action=_needed)
    args = parser.parse_args()
    try:
        return args.action(args)
    except (OSError, RuntimeError, ValueError,
            subprocess.CalledProcessError) as e:
        print(f"FAIL: {e}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
