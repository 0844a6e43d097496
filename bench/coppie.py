#!/usr/bin/env python3
"""Paired timing of a program against copying its own output.

Each pair runs the program once, then copies the files it leaves with cp and
puts the copies on the device with sync (the files the program flushes, and
their directory), as the program does; the pairs alternate which side goes
first. The figures are medians over the pairs, and the median of the ratios
of each pair.

Two ways of standing:
  sopra  every run replaces the output of the run before (the program its own
         files, cp the copies it made before), as a second installation does;
  vuota  the earlier output is removed, untimed, before each run of either
         side, as on a first installation.

    coppie.py NOME --prove N --cartella DIR --binari F... --altri F... -- PROGRAMMA ARG...

The program runs with DIR as its output directory (it writes there); the
binari are flushed, the altri only copied. Prints one line per way of
standing, with the program's peak resident memory (GNU time); with
--strace, also both sides' system call summaries.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def esegui(argv):
    """Runs argv; returns its time in nanoseconds."""
    t0 = time.perf_counter_ns()
    pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=[
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
        (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)])
    _, stato = os.waitpid(pid, 0)
    t = time.perf_counter_ns() - t0
    if os.waitstatus_to_exitcode(stato) != 0:
        sys.exit(f"{argv[0]} ended with status {os.waitstatus_to_exitcode(stato)}")
    return t


def picco_kb(argv):
    """Peak resident memory of one run, from GNU time: its own small process
    forks and execs the program, so little that is not the program's counts
    (a child spawned from this interpreter would count the interpreter's
    memory, which the kernel keeps in the peak across exec)."""
    with tempfile.NamedTemporaryFile("r") as f:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", f.name] + argv,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return int(f.read().split()[-1])


def main():
    a = argparse.ArgumentParser()
    a.add_argument("nome")
    a.add_argument("--prove", type=int, default=21)
    a.add_argument("--cartella", required=True)
    a.add_argument("--binari", nargs="+", required=True)
    a.add_argument("--altri", nargs="*", default=[])
    a.add_argument("--obiettivo", type=float, required=True)
    a.add_argument("--strace", action="store_true")
    if "--" not in sys.argv:
        a.error("the program goes after --")
    fine = sys.argv.index("--")
    o = a.parse_args(sys.argv[1:fine])
    programma = sys.argv[fine + 1:]
    cartella = o.cartella
    file_uscita = o.binari + o.altri
    cp, sync = shutil.which("cp"), shutil.which("sync")

    with tempfile.TemporaryDirectory(dir=os.path.dirname(os.path.abspath(cartella))) as copia:
        sorgenti = [os.path.join(cartella, f) for f in file_uscita]
        copia_cp = [cp] + sorgenti + [copia]
        copia_sync = [sync] + [os.path.join(copia, f) for f in o.binari] + [copia]

        def copia_e_fissa():
            return esegui(copia_cp) + esegui(copia_sync)

        def togli(dove):
            for f in file_uscita:
                try:
                    os.unlink(os.path.join(dove, f))
                except FileNotFoundError:
                    pass

        esegui(programma)  # leaves the files the copies are made of
        copia_e_fissa()
        byte = sum(os.path.getsize(p) for p in sorgenti)
        for modo in ("sopra", "vuota"):
            run, cps, rapporti = [], [], []
            for i in range(o.prove):
                def lato_programma():
                    if modo == "vuota":
                        togli(cartella)
                    run.append(esegui(programma))

                def lato_copia():
                    if modo == "vuota":
                        togli(copia)
                    cps.append(copia_e_fissa())

                for lato in ((lato_programma, lato_copia) if i % 2 == 0 else (lato_copia, lato_programma)):
                    lato()
                rapporti.append(run[-1] / cps[-1])
            r, c = statistics.median(run), statistics.median(cps)
            picco = picco_kb(programma)
            print(f"{o.nome:<11} {modo:<5}  run {r / 1e6:7.2f} ms   cp+sync {c / 1e6:7.2f} ms   "
                  f"ratio {r / c:5.2f} (pairs {statistics.median(rapporti):5.2f}, target {o.obiettivo})   "
                  f"output {byte:9d} B   peak {picco:6d} kB")
        sys.stdout.flush()

        if o.strace:
            for nome, argv in (("program", programma), ("cp", copia_cp), ("sync", copia_sync)):
                with tempfile.NamedTemporaryFile("r") as f:
                    subprocess.run(["strace", "-c", "-w", "-o", f.name] + argv,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
                    print(f"--- strace -c -w: {nome}\n{f.read()}", flush=True)


if __name__ == "__main__":
    main()
