// Which program the extension starts as its server: the setting
// `scenario.percorso` when it names one, else the `scenario` this extension
// carries under server/ (a platform-specific package has it), else
// `scenario` from the PATH. No dependency on the editor, so that the tests
// run it under plain node.
const fs = require("fs");
const path = require("path");

function nomeDelProgramma(piattaforma) {
  return piattaforma === "win32" ? "scenario.exe" : "scenario";
}

function comandoDelServer(percorso, cartellaEstensione, piattaforma = process.platform) {
  const scelto = typeof percorso === "string" ? percorso.trim() : "";
  if (scelto !== "") return scelto;
  const portato = path.join(cartellaEstensione, "server", nomeDelProgramma(piattaforma));
  let info;
  try {
    info = fs.statSync(portato);
  } catch {
    return "scenario";
  }
  if (!info.isFile()) return "scenario";
  // An unpacker that drops the permission bits would leave it unrunnable.
  if (piattaforma !== "win32" && (info.mode & 0o111) === 0) {
    try {
      fs.chmodSync(portato, info.mode | 0o755);
    } catch {
      // A read-only installation: starting it then says why.
    }
  }
  return portato;
}

module.exports = { comandoDelServer, nomeDelProgramma };
