// Starts `vrt lsp` for Visual Basic files and hands it the extension's settings.
import * as vscode from "vscode";
import { LanguageClient, LanguageClientOptions, ServerOptions } from "vscode-languageclient/node";

let client: LanguageClient | undefined;

function settings() {
  const config = vscode.workspace.getConfiguration("vetrin");
  const options: { [key: string]: string | number } = {};
  for (const key of ["project", "rulesFile", "language"]) {
    const value = config.get<string>(key, "");
    if (value) options[key] = value;
  }
  options.codePage = config.get<number>("codePage", 932);
  return { path: config.get<string>("path", "vrt") || "vrt", options };
}

async function start(context: vscode.ExtensionContext) {
  const { path, options } = settings();
  const serverOptions: ServerOptions = { command: path, args: ["lsp"] };
  const clientOptions: LanguageClientOptions = {
    documentSelector: [
      { scheme: "file", language: "vb" },
      { scheme: "file", pattern: "**/*.{bas,frm,cls,ctl,pag,BAS,FRM,CLS,CTL,PAG}" },
    ],
    initializationOptions: options,
  };
  client = new LanguageClient("vetrin", "Vetrin", serverOptions, clientOptions);
  context.subscriptions.push(client);
  await client.start();
}

export async function activate(context: vscode.ExtensionContext) {
  await start(context);
  // The server reads its settings at start: a change of them starts it again.
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (!event.affectsConfiguration("vetrin")) return;
      if (client) await client.stop();
      await start(context);
    })
  );
}

export async function deactivate() {
  if (client) await client.stop();
}
