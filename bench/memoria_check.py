#!/usr/bin/env python3
"""Peak memory of `scenario check` on huge texts, against the text's size.

    bench/memoria_check.py SCENARIO [BASE_SCENARIO] [--mb 5,10,25,50]

SCENARIO is the tool to measure; BASE_SCENARIO, when given, an earlier build
measured on the same texts in the same run, each just before the other. The
texts are the embedded line description under its installed name with one
kind of bulk added in [curve]: blank lines, one line of one word, lines of
blanks, and records that each draw a warning (the memory of a diagnostic
per line, which grows with the problems, not with the text). Prints, for
each kind and size, the peak resident memory, its multiple of the text, and
the seconds.
"""
import argparse
import os
import pathlib
import resource
import subprocess
import sys
import tempfile
import time

RADICE = pathlib.Path(__file__).resolve().parent.parent

GENERI = {
    "righe vuote": lambda n: "\r\n" * (n // 2),
    "una parola lunga": lambda n: "x" * n + "\r\n",
    "righe di spazi": lambda n: (" " * 98 + "\r\n") * (n // 100),
    "un avviso a riga": lambda n: "xyz,  1,  2\r\n" * (n // 13),
}


def prepara(cartella, genere, byte):
    linea = (RADICE / "payload/linea.txt").read_text(encoding="utf-8")
    treno = (RADICE / "payload/treno.txt").read_text(encoding="utf-8")
    i = linea.index("[curve]")
    corpo = linea[:i] + "[curve]\r\n" + GENERI[genere](byte) + linea[i + len("[curve]"):]
    cartella.mkdir(parents=True, exist_ok=True)
    (cartella / "R_linea.txt").write_bytes(corpo.encode("cp1252"))
    (cartella / "R_T-.txt").write_bytes(treno.replace("\n", "\r\n").encode("cp1252"))
    return (cartella / "R_linea.txt").stat().st_size


def misura(strumento, cartella):
    """Peak RSS in bytes of one check (a child of its own) and its seconds."""
    pid = os.fork()
    if pid == 0:
        with open(os.devnull, "wb") as nulla:
            os.dup2(nulla.fileno(), 1)
            os.dup2(nulla.fileno(), 2)
        os.execv(strumento, [strumento, "check", str(cartella)])
    inizio = time.monotonic()
    _, _, uso = os.wait4(pid, 0)
    return uso.ru_maxrss * 1024, time.monotonic() - inizio


def main():
    a = argparse.ArgumentParser()
    a.add_argument("strumento")
    a.add_argument("base", nargs="?")
    a.add_argument("--mb", default="5,10,25,50")
    o = a.parse_args()
    strumenti = [("base", o.base)] if o.base else []
    strumenti.append(("questo", o.strumento))
    print(f"{'testo':<18} {'MB':>4}  " + "  ".join(f"{n + ' MB':>10} {'x':>5} {'s':>6}" for n, _ in strumenti))
    with tempfile.TemporaryDirectory() as lavoro:
        for genere in GENERI:
            for mb in (int(x) for x in o.mb.split(",")):
                cartella = pathlib.Path(lavoro) / f"{genere}-{mb}".replace(" ", "_")
                byte = prepara(cartella, genere, mb * 1_000_000)
                celle = []
                for _, s in strumenti:
                    picco, secondi = misura(s, cartella)
                    celle.append(f"{picco / 1e6:>10.1f} {picco / byte:>5.1f} {secondi:>6.2f}")
                print(f"{genere:<18} {mb:>4}  " + "  ".join(celle), flush=True)
                for f in cartella.iterdir():
                    f.unlink()


if __name__ == "__main__":
    sys.exit(main())
