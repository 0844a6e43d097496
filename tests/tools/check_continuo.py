#!/usr/bin/env python3
"""`scenario check --watch` on a copy of a scenario: the report comes again
after each save, a failed check does not end the watch, a text caught empty
is read again and then reported as such, and the time from a save to the new
report is measured on the embedded scenario too.

usage: check_continuo.py SCENARIO FIXTURE_DIR PAYLOAD_DIR
"""
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time

ATTESA = "in attesa di modifiche"


class Watch:
    def __init__(self, tool, folder):
        self.proc = subprocess.Popen([tool, "check", "--watch", "--formato", "gcc", folder],
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line)
        self.lines.put(None)

    def report(self, timeout=20):
        """The lines up to the next wait, and when the wait line came."""
        out = []
        while True:
            line = self.lines.get(timeout=timeout)
            if line is None:
                raise AssertionError("the watch ended: %s" % "".join(out))
            if ATTESA in line:
                return "".join(out), time.monotonic()
            out.append(line)

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=10)


def check(cond, what):
    if not cond:
        raise AssertionError(what)


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def saved(w, path, text):
    """Saves text and returns the report it brings, with the milliseconds it took."""
    start = time.monotonic()
    write(path, text)
    report, end = w.report()
    return report, (end - start) * 1000


def watch_copy(tool, source, folder, name):
    """A copy of the scenario at source watched, with the path and text of one of its files."""
    shutil.copytree(source, folder)
    path = os.path.join(folder, name)
    return Watch(tool, folder), path, open(path, encoding="utf-8").read()


def main():
    tool, fixture, payload = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="check_continuo_")
    try:
        w, line, text = watch_copy(tool, fixture, os.path.join(work, "refusi"), "linea.txt")
        try:
            report, _ = w.report()
            check("«pendeza»" in report, "first report: %s" % report)

            report, ms = saved(w, line, text.replace("pendeza", "pendenza"))
            check("«pendeza»" not in report and "«stazone»" in report, "report after the fix: %s" % report)
            print("salvataggio -> rapporto (prova): %.1f ms" % ms)

            report, _ = saved(w, line, text.replace("pendeza,  5000", "pendenza,  5O00"))
            check("[P25]" in report, "a failed check is reported: %s" % report)
            check(w.proc.poll() is None, "and the watch goes on")

            # Caught empty: read again, then reported as such; the next save is checked.
            report, _ = saved(w, line, "")
            check("ancora vuoti o in scrittura" in report, "an empty text is not checked: %s" % report)
            report, _ = saved(w, line, text)
            check("«pendeza»" in report, "checked again once written: %s" % report)
        finally:
            w.stop()

        # The embedded scenario: the time from a save to its report.
        w, train, text = watch_copy(tool, payload, os.path.join(work, "incorporato"), "treno.txt")
        try:
            w.report()
            times = []
            for n in range(5):
                _, ms = saved(w, train, text + "\n" * (n + 1))
                times.append(ms)
            times.sort()
            print("salvataggio -> rapporto (scenario incorporato): mediana %.1f ms, massimo %.1f ms"
                  % (times[2], times[-1]))
            check(times[2] < 1000, "the report follows the save: %s" % times)
        finally:
            w.stop()
        print("check --watch: tutto bene")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
