// The language client that runs `lintra lsp` for ASP documents on disk.

import { existsSync } from "node:fs";
import * as os from "node:os";
import { delimiter, join } from "node:path";
import * as vscode from "vscode";
import { LanguageClient, LanguageClientOptions, ServerOptions } from "vscode-languageclient/node";
import { ServerCommandFor } from "./settings";

// A client for the server named by the current settings; not yet started.
export function CreateServerClient(output: vscode.OutputChannel): LanguageClient {
  const setting = vscode.workspace.getConfiguration("lintra").get<string>("server.path");
  const { command, args } = ServerCommandFor(setting, {
    workspaceFolder: vscode.workspace.workspaceFolders?.[0]?.uri.fsPath,
    home: os.homedir(),
    onPath: OnPath,
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

// The executable that a package for one platform carries beside its bundle (out/extension.js):
// server/lintra, or server/lintra.exe on Windows; none in a package for every platform.
function BundledServer(): string | undefined {
  const server = join(__dirname, "..", "server", Executable("lintra"));
  return existsSync(server) ? server : undefined;
}

// Whether the executable `name` is in one of the folders of PATH.
function OnPath(name: string): boolean {
  const folders = (process.env.PATH ?? "").split(delimiter).filter((folder) => folder !== "");
  return folders.some((folder) => existsSync(join(folder, Executable(name))));
}

function Executable(name: string): string {
  return process.platform === "win32" ? `${name}.exe` : name;
}
