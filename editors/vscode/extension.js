// Starts `scenario lsp` for the line and train descriptions and connects
// it to the editor through the standard language client.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");
const { comandoDelServer } = require("./comando_server");

let client;

function activate(context) {
  const percorso = vscode.workspace.getConfiguration("scenario").get("percorso", "");
  const command = comandoDelServer(percorso, context.extensionPath);
  const server = { command, args: ["lsp"] };
  client = new LanguageClient(
    "scenario",
    "Descrizioni degli scenari",
    { run: server, debug: server },
    {
      documentSelector: [
        { scheme: "file", language: "scenario" },
        { scheme: "file", language: "scenario-carico" },
      ],
    }
  );
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
