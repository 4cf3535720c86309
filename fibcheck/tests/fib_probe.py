#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
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
"""
import argparse
import os
import re
import subprocess
import sys

# The callgrind helpers are shared with ../bench/fib_measure; they lie one
# folder up.
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.realpath(__file__))))
sys.dont_write_bytecode = True  # leave no cache in the source tree
from callgrind import Profile, profile  # noqa: E402

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
