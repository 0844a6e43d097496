// The packaged VS Code extension with a real language client: unpacks the
// linux-x64 .vsix as the editor does, finds the server the way the extension
// does, and drives it with vscode-jsonrpc from the npm registry: open the
// two texts, their diagnostics, an edit, hover, completion, shutdown and
// exit. With a second .vsix (win32-x64) it checks only what that one
// carries, as this machine cannot run it.
//
// usage: node client_lsp_vsix.js EXTENSION_DIR FIXTURE_DIR LINUX_VSIX [WIN32_VSIX]
//
// EXTENSION_DIR is editors/vscode after `npm ci` (the client's packages).
"use strict";
const assert = require("assert/strict");
const { spawn } = require("child_process");
const fs = require("fs");
const { createRequire } = require("module");
const os = require("os");
const path = require("path");
const { pathToFileURL } = require("url");

const [cartellaEstensione, fixture, vsixLinux, vsixWin32] = process.argv.slice(2);
if (!vsixLinux) {
  console.error("uso: node client_lsp_vsix.js CARTELLA_ESTENSIONE FIXTURE VSIX_LINUX [VSIX_WIN32]");
  process.exit(2);
}
const richiedi = createRequire(path.join(path.resolve(cartellaEstensione), "package.json"));
const yauzl = richiedi("yauzl");
const rpc = richiedi("vscode-jsonrpc/node");

// Every entry of the package, with the permission bits it carries.
function apri(vsix) {
  return new Promise((fatto, fallito) => {
    yauzl.open(vsix, { lazyEntries: true }, (err, zip) => {
      if (err) return fallito(err);
      const voci = new Map();
      zip.on("entry", (voce) => {
        if (voce.fileName.endsWith("/")) return zip.readEntry();
        zip.openReadStream(voce, (err, flusso) => {
          if (err) return fallito(err);
          const pezzi = [];
          flusso.on("data", (p) => pezzi.push(p));
          flusso.on("end", () => {
            voci.set(voce.fileName, { dati: Buffer.concat(pezzi), modo: (voce.externalFileAttributes >>> 16) & 0o7777 });
            zip.readEntry();
          });
        });
      });
      zip.on("end", () => fatto(voci));
      zip.on("error", fallito);
      zip.readEntry();
    });
  });
}

// What the editor does on installing: the entries under extension/ into a
// folder, with their modes.
function scompatta(voci, dove) {
  for (const [nome, { dati, modo }] of voci) {
    if (!nome.startsWith("extension/")) continue;
    const file = path.join(dove, nome.slice("extension/".length));
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, dati);
    if (modo) fs.chmodSync(file, modo);
  }
}

// The package's platform, its program and nothing of the other platform.
function controllaPiattaforma(voci, piattaforma, programma, altro) {
  const manifesto = voci.get("extension.vsixmanifest").dati.toString("utf8");
  assert.match(manifesto, new RegExp(`TargetPlatform="${piattaforma}"`), "the package's platform");
  assert.ok(voci.has(`extension/server/${programma}`), `the package carries server/${programma}`);
  assert.ok(!voci.has(`extension/server/${altro}`), `and not server/${altro}`);
  const pacchetto = JSON.parse(voci.get("extension/package.json").dati.toString("utf8"));
  assert.equal(pacchetto.main, "./extension.js");
  for (const nome of ["extension.js", "comando_server.js", "LICENSE.txt", "syntaxes/scenario.tmLanguage.json",
                      "node_modules/vscode-languageclient/node.js"])
    assert.ok(voci.has(`extension/${nome}`), `the package carries ${nome}`);
  for (const nome of voci.keys())
    assert.ok(!/node_modules\/(@vscode\/vsce|yauzl|\.bin)\//.test(nome), `no development package: ${nome}`);
}

function scadenza(promessa, ms, cosa) {
  let timer;
  return Promise.race([
    promessa.finally(() => clearTimeout(timer)),
    new Promise((_, fallito) => { timer = setTimeout(() => fallito(new Error(`scaduto: ${cosa}`)), ms); }),
  ]);
}

async function main() {
  const lavoro = fs.mkdtempSync(path.join(os.tmpdir(), "client_lsp_vsix_"));
  let server;
  try {
    const voci = await apri(vsixLinux);
    controllaPiattaforma(voci, "linux-x64", "scenario", "scenario.exe");
    const installata = path.join(lavoro, "estensione");
    scompatta(voci, installata);

    // The server the extension would start: the setting first, else its own.
    const { comandoDelServer } = require(path.join(installata, "comando_server.js"));
    const portato = path.join(installata, "server", "scenario");
    assert.equal(comandoDelServer("", installata, "linux"), portato);
    assert.equal(comandoDelServer("  ", installata, "linux"), portato);
    assert.equal(comandoDelServer("/opt/scenario/bin/scenario", installata, "linux"), "/opt/scenario/bin/scenario");
    assert.equal(comandoDelServer("", lavoro, "linux"), "scenario", "without a carried server, the PATH's");
    assert.ok(fs.statSync(portato).mode & 0o100, "the carried server is executable once unpacked");

    if (vsixWin32) {
      const win = await apri(vsixWin32);
      controllaPiattaforma(win, "win32-x64", "scenario.exe", "scenario");
      const installataWin = path.join(lavoro, "estensione_win32");
      scompatta(win, installataWin);
      assert.equal(comandoDelServer("", installataWin, "win32"), path.join(installataWin, "server", "scenario.exe"));
      assert.equal(comandoDelServer("C:\\scenario\\scenario.exe", installataWin, "win32"), "C:\\scenario\\scenario.exe");
    }

    const testi = path.join(lavoro, "testi");
    fs.mkdirSync(testi);
    const uri = {}, testo = {};
    for (const n of ["linea.txt", "treno.txt"]) {
      fs.copyFileSync(path.join(fixture, n), path.join(testi, n));
      uri[n] = pathToFileURL(path.join(testi, n)).href;
      testo[n] = fs.readFileSync(path.join(testi, n), "utf8");
    }

    server = spawn(comandoDelServer("", installata), ["lsp"], { stdio: ["pipe", "pipe", "inherit"] });
    const uscita = new Promise((fatto) => server.on("exit", (codice, segnale) => fatto({ codice, segnale })));
    const conn = rpc.createMessageConnection(new rpc.StreamMessageReader(server.stdout),
                                             new rpc.StreamMessageWriter(server.stdin));
    // Each publication waited for by its document, in order of arrival.
    const attese = new Map(), arrivate = new Map();
    conn.onNotification("textDocument/publishDiagnostics", (p) => {
      const coda = attese.get(p.uri);
      if (coda && coda.length) coda.shift()(p.diagnostics);
      else arrivate.set(p.uri, [...(arrivate.get(p.uri) || []), p.diagnostics]);
    });
    const diagnostiche = (u) => {
      const gia = arrivate.get(u);
      if (gia && gia.length) return Promise.resolve(gia.shift());
      return scadenza(new Promise((fatto) => attese.set(u, [...(attese.get(u) || []), fatto])), 20000,
                      `diagnostiche di ${u}`);
    };
    conn.listen();
    const codici = (d) => d.map((x) => `${x.code}@${x.range.start.line}`).sort();

    const init = await scadenza(conn.sendRequest("initialize", {
      processId: process.pid, rootUri: null, capabilities: {},
    }), 20000, "initialize");
    const cap = init.capabilities;
    assert.ok(cap.hoverProvider, "hover offered");
    assert.ok(cap.completionProvider, "completion offered");
    assert.equal(cap.textDocumentSync.change, 2, "incremental sync");
    conn.sendNotification("initialized", {});

    // The line description: a misspelt keyword, with its hint; the train's
    // text from disk is checked with it.
    conn.sendNotification("textDocument/didOpen", {
      textDocument: { uri: uri["linea.txt"], languageId: "scenario-carico", version: 1, text: testo["linea.txt"] },
    });
    let linea = await diagnostiche(uri["linea.txt"]);
    const w01 = linea.find((d) => d.code === "W01");
    assert.ok(w01, `W01 on the misspelt gradient: ${codici(linea)}`);
    assert.equal(w01.range.start.line, 15);
    assert.equal(w01.severity, 2, "a warning is severity 2");
    // The message's guillemets arrive whole: the lengths are in bytes.
    assert.match(w01.message, /^«pendeza» non è la parola chiave .*«pendenza»\?$/);
    assert.match(w01.relatedInformation[0].message, /^suggerimento: /);
    const treno = await diagnostiche(uri["treno.txt"]);
    assert.deepEqual(codici(treno), ["W01@14", "W01@18", "W02@12"], "the train's diagnostics with the line's");

    conn.sendNotification("textDocument/didOpen", {
      textDocument: { uri: uri["treno.txt"], languageId: "scenario-carico", version: 1, text: testo["treno.txt"] },
    });
    await diagnostiche(uri["treno.txt"]);
    await diagnostiche(uri["linea.txt"]);

    // Mending the keyword removes the warning.
    conn.sendNotification("textDocument/didChange", {
      textDocument: { uri: uri["linea.txt"], version: 2 },
      contentChanges: [{ range: { start: { line: 15, character: 0 }, end: { line: 15, character: 7 } }, text: "pendenza" }],
    });
    linea = await diagnostiche(uri["linea.txt"]);
    assert.ok(!linea.some((d) => d.code === "W01"), `W01 gone after the fix: ${codici(linea)}`);

    // Hover on the first station's platform length (line 14, value 3).
    const riga = testo["treno.txt"].split("\n")[13];
    const hover = await scadenza(conn.sendRequest("textDocument/hover", {
      textDocument: { uri: uri["treno.txt"] }, position: { line: 13, character: riga.indexOf("800") + 1 },
    }), 20000, "hover");
    const valore = hover.contents.value;
    for (const atteso of ["stazione", "valore 3", "marciapiede", "multiplo di 100"])
      assert.ok(valore.includes(atteso), `hover of a value: ${valore}`);

    // Completion at a line's start: the train's keywords and headers only.
    const completamento = await scadenza(conn.sendRequest("textDocument/completion", {
      textDocument: { uri: uri["treno.txt"] }, position: { line: 1, character: 0 },
    }), 20000, "completion");
    const voce = Array.isArray(completamento) ? completamento : completamento.items;
    const etichette = voce.map((i) => i.label);
    assert.ok(etichette.includes("stazione") && etichette.includes("[stazioni]"), `labels: ${etichette}`);
    assert.ok(!etichette.includes("lunghezza percorso"), "only the train's records in the train's text");

    assert.equal(await scadenza(conn.sendRequest("shutdown"), 20000, "shutdown"), null);
    conn.sendNotification("exit");
    const { codice, segnale } = await scadenza(uscita, 10000, "exit");
    assert.equal(segnale, null);
    assert.equal(codice, 0, "exit status after shutdown and exit");
    conn.dispose();
    console.log("client LSP (vscode-jsonrpc) sul server del pacchetto linux-x64: tutto bene");
  } finally {
    if (server && server.exitCode === null && server.signalCode === null) server.kill();
    fs.rmSync(lavoro, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error(e && e.stack ? e.stack : e);
  process.exit(1);
});
