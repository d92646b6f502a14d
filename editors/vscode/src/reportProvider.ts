// Fills the read-only report documents (complete file, text tree, warnings) from the server.

import * as vscode from "vscode";
import { ParseReportUri, ReportText, ReportUri, ReportView, reportViews } from "./reportDocuments";

// Asks the running server for the text of a request about one document.
export type RequestText = (method: string, documentUri: string) => Promise<string>;

// Supplies the text of each report tab from the server, and fetches it anew when the report is
// asked for again.
export class ReportProvider implements vscode.TextDocumentContentProvider {
  private readonly changed = new vscode.EventEmitter<vscode.Uri>();
  readonly onDidChange = this.changed.event;

  constructor(private readonly requestText: RequestText) {}

  async provideTextDocumentContent(uri: vscode.Uri): Promise<string> {
    const report = ParseReportUri(uri);
    if (report === undefined) return "";
    const info = reportViews[report.view];
    return ReportText(report.view, await this.requestText(info.method, report.sourceUri));
  }

  // Opens the report `view` of `sourceUri` in a tab, fetched anew if it is open already.
  async Show(view: ReportView, sourceUri: string): Promise<void> {
    const uri = vscode.Uri.from(ReportUri(view, sourceUri));
    this.changed.fire(uri);
    let document = await vscode.workspace.openTextDocument(uri);
    const language = reportViews[view].language;
    if (document.languageId !== language) {
      document = await vscode.languages.setTextDocumentLanguage(document, language);
    }
    await vscode.window.showTextDocument(document, { preview: false });
  }

  dispose(): void {
    this.changed.dispose();
  }
}
