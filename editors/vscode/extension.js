// Starts `scenario_tool lsp` over stdio for the scenario sources and stops it with the editor.
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function activate() {
  const command = vscode.workspace.getConfiguration('scenario').get('serverPath', 'scenario_tool');
  const server = { command, args: ['lsp'], transport: TransportKind.stdio };
  client = new LanguageClient('scenario', 'Scenario sources', server, {
    documentSelector: [{ language: 'scenario' }]
  });
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
