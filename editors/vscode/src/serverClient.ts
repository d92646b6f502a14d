// The language client that runs `lintra lsp` for ASP documents on disk.

import { existsSync } from "node:fs";
import * as os from "node:os";
import { join } from "node:path";
import * as vscode from "vscode";
import { LanguageClient, LanguageClientOptions, ServerOptions } from "vscode-languageclient/node";
import { ServerCommandFor } from "./settings";

// A client for the server named by the current settings; not yet started.
export function CreateServerClient(output: vscode.OutputChannel): LanguageClient {
  const setting = vscode.workspace.getConfiguration("lintra").get<string>("server.path");
  const { command, args } = ServerCommandFor(setting, {
    workspaceFolder: vscode.workspace.workspaceFolders?.[0]?.uri.fsPath,
    home: os.homedir(),
    bundledServer: BundledServer(),
  });
  const serverOptions: ServerOptions = { command, args };
  const clientOptions: LanguageClientOptions = {
    documentSelector: [{ scheme: "file", language: "asp" }],
    outputChannel: output,
    synchronize: { fileEvents: vscode.workspace.createFileSystemWatcher("**/*") },
  };
  return new LanguageClient("lintra", "Lintra", serverOptions, clientOptions);
}

// The lintra.exe that the win32-x64 package carries beside its bundle (out/extension.js), if this
// is that package on Windows.
function BundledServer(): string | undefined {
  const server = join(__dirname, "..", "server", "lintra.exe");
  return process.platform === "win32" && existsSync(server) ? server : undefined;
}
