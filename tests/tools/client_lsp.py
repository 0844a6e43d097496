#!/usr/bin/env python3
"""Scripted client of `scenario lsp`: opens a scenario's two description
texts, reads the diagnostics, mends a record and sees them change, asks for
hover, completion and the outline, and shuts the server down.

usage: client_lsp.py [--wine] [--cartella NAME] [--trascrizione FILE] SCENARIO FIXTURE_DIR [PAYLOAD_DIR]

With PAYLOAD_DIR it also measures, on that scenario, the time from an edit
to its diagnostics. --wine runs SCENARIO (a Windows .exe) under wine, with
the Windows paths in the URIs; --cartella puts the texts in a folder of that
name (blanks and letters outside ASCII included) inside the temporary one;
--trascrizione writes every message the server sent, one a line, byte for
byte, with the URI of that folder written URI_CARTELLA, so that two runs can
be compared.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import queue
import urllib.parse


class Client:
    def __init__(self, argv):
        self.proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.queue = queue.Queue()
        self.bodies = []
        self.next_id = 1
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        out = self.proc.stdout
        while True:
            headers = {}
            while True:
                line = out.readline()
                if not line:
                    self.queue.put(None)
                    return
                line = line.strip()
                if not line:
                    break
                k, _, v = line.decode().partition(":")
                headers[k.strip().lower()] = v.strip()
            body = out.read(int(headers["content-length"]))
            self.bodies.append(body)
            self.queue.put(json.loads(body))

    def send(self, msg):
        msg = dict(msg, jsonrpc="2.0")
        body = json.dumps(msg).encode()
        self.proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.proc.stdin.flush()

    def request(self, method, params):
        rid = self.next_id
        self.next_id += 1
        self.send({"id": rid, "method": method, "params": params})
        while True:
            m = self.get()
            if m.get("id") == rid:
                return m

    def notify(self, method, params):
        self.send({"method": method, "params": params})

    def get(self, timeout=20):
        m = self.queue.get(timeout=timeout)
        if m is None:
            raise AssertionError("the server closed its output")
        return m

    def diagnostics(self, uri, timeout=20):
        """The next publishDiagnostics for uri."""
        while True:
            m = self.get(timeout)
            if m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == uri:
                return m["params"]["diagnostics"]


def check(cond, what):
    if not cond:
        raise AssertionError(what)


def codes(diags):
    return sorted((d.get("code"), d["range"]["start"]["line"]) for d in diags)


def measure(c, payload, work):
    folder = os.path.join(work, "incorporato")
    shutil.copytree(payload, folder)
    path = os.path.join(folder, "treno.txt")
    u = "file://" + urllib.parse.quote(path)
    c.notify("textDocument/didOpen", {"textDocument": {
        "uri": u, "languageId": "scenario-treno", "version": 1, "text": open(path, encoding="utf-8").read()}})
    c.diagnostics(u)
    times = []
    for n in range(2, 9):
        start = time.monotonic()
        c.notify("textDocument/didChange", {
            "textDocument": {"uri": u, "version": n},
            "contentChanges": [{"range": {"start": {"line": 0, "character": 0},
                                          "end": {"line": 0, "character": 0}}, "text": " "}]})
        c.diagnostics(u)
        times.append((time.monotonic() - start) * 1000)
    times.sort()
    print("modifica -> diagnostiche (scenario incorporato): mediana %.1f ms, massimo %.1f ms"
          % (times[len(times) // 2], times[-1]))
    check(times[len(times) // 2] < 1000, "diagnostics follow an edit: %s" % times)


def uri_of(path, wine):
    """The URI an editor gives a file: under wine, of its Windows path (Z:/...)."""
    if not wine:
        return "file://" + urllib.parse.quote(path)
    w = subprocess.run(["winepath", "-w", path], capture_output=True, check=True).stdout.decode("utf-8")
    return "file:///" + urllib.parse.quote(w.strip().replace("\\", "/"))


def main():
    args, opts = sys.argv[1:], {}
    while args and args[0].startswith("--"):
        if args[0] == "--wine":
            opts["wine"] = True
            args = args[1:]
        else:
            opts[args[0][2:]] = args[1]
            args = args[2:]
    tool, fixture = args[0], args[1]
    wine = opts.get("wine", False)
    temp = tempfile.mkdtemp(prefix="client_lsp_")
    work = os.path.join(temp, opts["cartella"]) if "cartella" in opts else temp
    os.makedirs(work, exist_ok=True)
    try:
        for n in ("linea.txt", "treno.txt"):
            shutil.copy(os.path.join(fixture, n), work)
        uri = {n: uri_of(os.path.join(work, n), wine) for n in ("linea.txt", "treno.txt")}
        text = {n: open(os.path.join(work, n), encoding="utf-8").read() for n in uri}

        c = Client((["wine"] if wine else []) + [tool, "lsp"])
        # Nothing but initialize before initialize.
        early = c.request("textDocument/hover", {"textDocument": {"uri": uri["linea.txt"]},
                                                 "position": {"line": 0, "character": 0}})
        check(early["error"]["code"] == -32002, "a request before initialize is refused")
        init = c.request("initialize", {"processId": os.getpid(), "rootUri": None, "capabilities": {}})
        caps = init["result"]["capabilities"]
        check(caps["hoverProvider"] and caps["documentSymbolProvider"], "capabilities")
        check(caps["textDocumentSync"]["change"] == 2, "incremental sync")
        c.notify("initialized", {})

        # A body that is no JSON gets a parse error and the server goes on.
        c.proc.stdin.write(b"Content-Length: 5\r\n\r\n{nope")
        c.proc.stdin.flush()
        check(c.get()["error"]["code"] == -32700, "parse error answered")

        c.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri["linea.txt"], "languageId": "scenario-linea", "version": 1, "text": text["linea.txt"]}})
        line = c.diagnostics(uri["linea.txt"])
        check(("W01", 15) in codes(line), "W01 on the misspelt gradient: %s" % codes(line))
        w01 = next(d for d in line if d.get("code") == "W01")
        check(w01["severity"] == 2, "a warning is severity 2")
        check(w01["relatedInformation"][0]["message"].startswith("suggerimento: "), "the hint as related information")
        train = c.diagnostics(uri["treno.txt"])  # the pair from disk, checked together
        check(("W02", 12) in codes(train), "the train's diagnostics with the line's: %s" % codes(train))

        c.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri["treno.txt"], "languageId": "scenario-treno", "version": 1, "text": text["treno.txt"]}})
        c.diagnostics(uri["treno.txt"])
        c.diagnostics(uri["linea.txt"])  # its pair, published again

        # Mend "pendeza" (line 16) with an incremental change.
        start = time.monotonic()
        c.notify("textDocument/didChange", {
            "textDocument": {"uri": uri["linea.txt"], "version": 2},
            "contentChanges": [{"range": {"start": {"line": 15, "character": 0},
                                          "end": {"line": 15, "character": 7}}, "text": "pendenza"}]})
        line = c.diagnostics(uri["linea.txt"])
        elapsed = (time.monotonic() - start) * 1000
        check(all(d.get("code") != "W01" for d in line), "W01 gone after the fix: %s" % codes(line))
        print("modifica -> diagnostiche: %.1f ms" % elapsed)

        # A broken number: problem 25 where the reading stops.
        c.notify("textDocument/didChange", {
            "textDocument": {"uri": uri["linea.txt"], "version": 3},
            "contentChanges": [{"range": {"start": {"line": 15, "character": 11},
                                          "end": {"line": 15, "character": 15}}, "text": "5O00"}]})
        line = c.diagnostics(uri["linea.txt"])
        p25 = [d for d in line if d.get("code") == "P25"]
        check(p25 and p25[0]["severity"] == 1 and p25[0]["range"]["start"]["line"] == 15,
              "P25 at the broken number: %s" % codes(line))

        # A whole-text change puts it back.
        c.notify("textDocument/didChange", {"textDocument": {"uri": uri["linea.txt"], "version": 4},
                                            "contentChanges": [{"text": text["linea.txt"]}]})
        check(("W01", 15) in codes(c.diagnostics(uri["linea.txt"])), "full sync")

        # Hover: the platform length of the first station (line 14, value 3).
        row = text["treno.txt"].splitlines()[13]
        col = row.index("800")
        h = c.request("textDocument/hover", {"textDocument": {"uri": uri["treno.txt"]},
                                             "position": {"line": 13, "character": col + 1}})["result"]
        value = h["contents"]["value"]
        check("stazione" in value and "valore 3" in value and "marciapiede" in value and "multiplo di 100" in value,
              "hover of a value: %s" % value)
        # A position along the line tells its cell.
        row = text["treno.txt"].splitlines()[16]
        col = row.index("5000")
        h = c.request("textDocument/hover", {"textDocument": {"uri": uri["treno.txt"]},
                                             "position": {"line": 16, "character": col}})["result"]
        check("cella 101" in h["contents"]["value"], "the cell of a position: %s" % h["contents"]["value"])
        blank = c.request("textDocument/hover", {"textDocument": {"uri": uri["treno.txt"]},
                                                 "position": {"line": 1, "character": 0}})
        check(blank["result"] is None, "no hover off the records")

        # Completion at a line's start: keywords with snippets, and headers.
        items = c.request("textDocument/completion", {"textDocument": {"uri": uri["treno.txt"]},
                                                      "position": {"line": 1, "character": 0}})["result"]["items"]
        labels = [i["label"] for i in items]
        check("stazione" in labels and "[stazioni]" in labels, "completion labels: %s" % labels)
        check("lunghezza percorso" not in labels, "only the train's records in the train's text")
        st = next(i for i in items if i["label"] == "stazione")
        check(st["insertTextFormat"] == 2 and "${3:marciapiede}" in st["textEdit"]["newText"], "snippet: %s" % st)
        after = c.request("textDocument/completion", {"textDocument": {"uri": uri["treno.txt"]},
                                                      "position": {"line": 13, "character": 12}})["result"]
        check(after["items"] == [], "no completion past the first field")

        # The outline: sections with their records, stations by name.
        syms = c.request("textDocument/documentSymbol", {"textDocument": {"uri": uri["treno.txt"]}})["result"]
        names = [s["name"] for s in syms]
        check("[generale]" in names and "[segnali]" in names, "sections: %s" % names)
        stations = next(s for s in syms if s["name"] == "[stazoni]")["children"]
        check([s["name"] for s in stations] == ["PRIMA CENTRALE"], "stations by name: %s" % stations)
        signals = next(s for s in syms if s["name"] == "[segnali]")["children"]
        check([s["name"] for s in signals] == ["segnale a 7200 m"], "signals by position: %s" % signals)

        unknown = c.request("textDocument/definition", {"textDocument": {"uri": uri["treno.txt"]},
                                                        "position": {"line": 0, "character": 0}})
        check(unknown["error"]["code"] == -32601, "unknown method")

        # Closing the train document republishes its file from disk.
        c.notify("textDocument/didClose", {"textDocument": {"uri": uri["treno.txt"]}})

        if len(args) > 2:
            measure(c, args[2], work)

        check(c.request("shutdown", None)["result"] is None, "shutdown")
        c.notify("exit", None)
        rc = c.proc.wait(timeout=10)
        check(rc == 0, "exit status after shutdown and exit: %d" % rc)
        if "trascrizione" in opts:
            folder = uri_of(work, wine).encode()
            with open(opts["trascrizione"], "wb") as f:
                for body in c.bodies:
                    f.write(body.replace(folder, b"URI_CARTELLA") + b"\n")
        print("client LSP: tutto bene")
    finally:
        shutil.rmtree(temp, ignore_errors=True)


if __name__ == "__main__":
    main()
