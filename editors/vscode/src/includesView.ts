// The Includes view: the include tree of the active ASP document, as the server reports it.

import * as vscode from "vscode";
import { IncludeNode, ParseIncludeTree } from "./includeNode";
import {
  ChildElements,
  Expansion,
  ItemOf,
  Target,
  TreeElement,
  ViewDescription,
} from "./treeItems";

// Asks the running server for the include tree of a document.
export type RequestTree = (documentUri: string) => Promise<unknown>;

// Supplies the view's rows from the last tree the server sent, and asks for a new tree when the
// active document changes or the server re-analyses it.
export class IncludesView implements vscode.TreeDataProvider<TreeElement> {
  private readonly changed = new vscode.EventEmitter<void>();
  readonly onDidChangeTreeData = this.changed.event;
  private roots: IncludeNode[] = [];
  private expansion: Expansion = { mode: "remembered", generation: 0 };
  private asked = 0;
  // The document whose tree is shown; undefined before the first ASP document.
  documentUri: string | undefined;
  view: vscode.TreeView<TreeElement> | undefined;

  constructor(
    private readonly extensionUri: vscode.Uri,
    private readonly requestTree: RequestTree,
  ) {}

  getTreeItem(element: TreeElement): vscode.TreeItem {
    const model = ItemOf(element, this.expansion);
    const item = new vscode.TreeItem(model.label, States[model.collapsible]);
    item.id = model.id;
    item.description = model.description;
    item.tooltip = model.tooltip;
    item.iconPath = vscode.Uri.joinPath(this.extensionUri, model.icon);
    item.contextValue = model.contextValue;
    if (model.target !== null) {
      item.command = { command: "lintra.open", title: "Open", arguments: [model.target] };
    }
    return item;
  }

  getChildren(element?: TreeElement): TreeElement[] {
    return ChildElements(this.roots, element);
  }

  // Shows the tree of `documentUri`. A later call wins over an earlier one still waiting.
  async Show(documentUri: string): Promise<void> {
    const ask = ++this.asked;
    let roots: IncludeNode[] = [];
    let message: string | undefined;
    try {
      roots = ParseIncludeTree(await this.requestTree(documentUri));
      if (roots.length === 0) message = "No page includes this file.";
    } catch (error) {
      message = error instanceof Error ? error.message : String(error);
    }
    if (ask !== this.asked) return;
    this.documentUri = documentUri;
    this.roots = roots;
    if (this.view !== undefined) {
      this.view.message = message;
      this.view.description = ViewDescription(roots, documentUri);
    }
    this.changed.fire();
  }

  // Opens or closes every folder of the tree.
  ExpandAll(expanded: boolean): void {
    this.expansion = {
      mode: expanded ? "expanded" : "collapsed",
      generation: this.expansion.generation + 1,
    };
    this.changed.fire();
  }

  dispose(): void {
    this.changed.dispose();
  }
}

const States = {
  none: vscode.TreeItemCollapsibleState.None,
  collapsed: vscode.TreeItemCollapsibleState.Collapsed,
  expanded: vscode.TreeItemCollapsibleState.Expanded,
};

// Opens a target's document with its directive selected.
export async function OpenTarget(target: Target): Promise<void> {
  const range = target.range;
  const selection =
    range === null
      ? undefined
      : new vscode.Range(
          range.start.line,
          range.start.character,
          range.end.line,
          range.end.character,
        );
  await vscode.window.showTextDocument(vscode.Uri.parse(target.uri), { selection });
}
