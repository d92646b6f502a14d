// The addresses of the read-only documents that show a page's reports (complete file, text tree,
// warnings): which request fills them, their title, and how an address is read back.

import { DocumentName } from "./documentName";

export type ReportView = "complete-file" | "text-tree" | "warnings";

export interface ReportViewInfo {
  method: string;
  title: string;
  language: string;
}

export const reportScheme = "lintra-report";

export const reportViews: Record<ReportView, ReportViewInfo> = {
  "complete-file": { method: "lintra/completeFile", title: "Complete File", language: "asp" },
  "text-tree": { method: "lintra/textTree", title: "Text Tree", language: "plaintext" },
  warnings: { method: "lintra/warnings", title: "Warnings", language: "plaintext" },
};

// The parts of an address, unencoded, as the editor's Uri.from takes and gives them.
export interface UriParts {
  scheme: string;
  authority: string;
  path: string;
  query: string;
}

// The address of the report `view` of the document at `sourceUri`; the last part of its path,
// which the editor shows as the tab's title, names the document and the report.
export function ReportUri(view: ReportView, sourceUri: string): UriParts {
  return {
    scheme: reportScheme,
    authority: view,
    path: `/${DocumentName(sourceUri)} - ${reportViews[view].title}`,
    query: sourceUri,
  };
}

// The report and source document of an address made by ReportUri, or undefined for any other.
export function ParseReportUri(
  parts: UriParts,
): { view: ReportView; sourceUri: string } | undefined {
  if (parts.scheme !== reportScheme || parts.query === "") return undefined;
  if (!Object.hasOwn(reportViews, parts.authority)) return undefined;
  return { view: parts.authority as ReportView, sourceUri: parts.query };
}

// The text a report shows: the server's, or a line that says why there is none.
export function ReportText(view: ReportView, text: string): string {
  if (text !== "") return text;
  return `No page includes this file, so it has no ${reportViews[view].title.toLowerCase()}.\n`;
}
