// The extension's entry points: starts the language server, and wires the Includes view, the
// report documents and the commands to it and to the active editor.

import * as vscode from "vscode";
import { LanguageClient } from "vscode-languageclient/node";
import { IncludesView, OpenTarget } from "./includesView";
import { ReportProvider } from "./reportProvider";
import { ReportView, reportScheme } from "./reportDocuments";
import { CreateServerClient } from "./serverClient";
import { ReportSubject, Target, TreeElement } from "./treeItems";

// The client being started or running; undefined while the server is stopped.
let starting: Promise<LanguageClient> | undefined;

export function activate(context: vscode.ExtensionContext): void {
  const output = vscode.window.createOutputChannel("Lintra");
  const includes = new IncludesView(context.extensionUri, (uri) =>
    Request("lintra/includeTree", uri),
  );
  const reports = new ReportProvider(async (method, uri) => {
    const result = (await Request(method, uri)) as { text?: unknown } | null;
    return typeof result?.text === "string" ? result.text : "";
  });
  const view = vscode.window.createTreeView("lintra.includes", { treeDataProvider: includes });
  includes.view = view;
  // The view asks the server only while it is visible, and catches up when it is shown.
  const showActive = (editor: vscode.TextEditor | undefined) => {
    if (view.visible && editor !== undefined && IsAspFile(editor.document)) {
      void includes.Show(editor.document.uri.toString());
    }
  };
  const refresh = Debounced(() => {
    if (view.visible && includes.documentUri !== undefined)
      void includes.Show(includes.documentUri);
  }, 400);
  const showReport = (reportView: ReportView) => () => {
    const subject = includes.documentUri;
    if (subject === undefined) {
      void vscode.window.showInformationMessage("Open an ASP page first.");
      return;
    }
    const selected: TreeElement | undefined = view.selection[0];
    reports.Show(reportView, ReportSubject(selected, subject)).catch(ShowError);
  };

  context.subscriptions.push(
    output,
    includes,
    reports,
    view,
    vscode.workspace.registerTextDocumentContentProvider(reportScheme, reports),
    vscode.commands.registerCommand("lintra.expandAll", () => includes.ExpandAll(true)),
    vscode.commands.registerCommand("lintra.collapseAll", () => includes.ExpandAll(false)),
    vscode.commands.registerCommand("lintra.showCompleteFile", showReport("complete-file")),
    vscode.commands.registerCommand("lintra.showTextTree", showReport("text-tree")),
    vscode.commands.registerCommand("lintra.showWarnings", showReport("warnings")),
    vscode.commands.registerCommand("lintra.refreshIncludes", refresh),
    vscode.commands.registerCommand("lintra.open", (target: Target) =>
      OpenTarget(target).catch(ShowError),
    ),
    vscode.commands.registerCommand("lintra.openIncludedFile", (element: TreeElement) => {
      if (element.node.uri !== null) {
        OpenTarget({ uri: element.node.uri, range: null }).catch(ShowError);
      }
    }),
    vscode.commands.registerCommand("lintra.restartServer", async () => {
      await StartServer(output);
      refresh();
    }),
    vscode.window.onDidChangeActiveTextEditor(showActive),
    view.onDidChangeVisibility(() => showActive(vscode.window.activeTextEditor)),
    vscode.workspace.onDidSaveTextDocument((document) => {
      if (IsAspFile(document)) refresh();
    }),
    vscode.languages.onDidChangeDiagnostics(() => refresh()),
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (!event.affectsConfiguration("lintra.server.path")) return;
      await StartServer(output);
      refresh();
    }),
  );
  void StartServer(output).then(() => showActive(vscode.window.activeTextEditor));
}

export async function deactivate(): Promise<void> {
  await StopServer();
}

// Starts the server named by the settings, after stopping the one running. A server that cannot
// start is reported once; requests then fail with its error.
async function StartServer(output: vscode.OutputChannel): Promise<void> {
  await StopServer();
  try {
    const client = CreateServerClient(output);
    starting = client.start().then(() => client);
    await starting;
  } catch (error) {
    ShowError(error);
  }
}

// Stops the server, once it has started if it is still starting.
async function StopServer(): Promise<void> {
  const previous = starting;
  starting = undefined;
  const client = await previous?.catch(() => undefined);
  await client?.stop().catch(() => undefined);
}

// Sends one of the server's own requests about a document.
async function Request(method: string, documentUri: string): Promise<unknown> {
  if (starting === undefined) throw new Error("The lintra language server is not running.");
  const running = await starting;
  return running.sendRequest(method, { textDocument: { uri: documentUri } });
}

function IsAspFile(document: vscode.TextDocument): boolean {
  return document.languageId === "asp" && document.uri.scheme === "file";
}

function ShowError(error: unknown): void {
  const message = error instanceof Error ? error.message : String(error);
  void vscode.window.showErrorMessage(`Lintra: ${message}`);
}

// `run`, called once `delay` milliseconds after the last of a burst of calls.
function Debounced(run: () => void, delay: number): () => void {
  let timer: NodeJS.Timeout | undefined;
  return () => {
    if (timer !== undefined) clearTimeout(timer);
    timer = setTimeout(run, delay);
  };
}
