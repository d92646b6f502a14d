// What the Includes view shows for each file of an include tree: label, description, picture,
// whether it folds, and what a click opens. Kept apart from the editor's API so that it can be
// checked on its own.

import { DocumentName, SameDocument } from "./documentName";
import { IncludeKind, IncludeNode, Range } from "./includeNode";

// A file of the tree in its place: the node, the document that holds its include directive
// (null for a root), the page at the top of its tree, and a key unique in the view: the root's
// position and path, then the indices of the children down to the file.
export interface TreeElement {
  node: IncludeNode;
  parentUri: string | null;
  rootUri: string | null;
  key: string;
}

// How folders open: as the editor remembers them, or all expanded or all collapsed since the
// last Expand All or Collapse All. `generation` counts those commands.
export interface Expansion {
  mode: "remembered" | "expanded" | "collapsed";
  generation: number;
}

// A place to open: a document, and the range to select in it (null for the top of the file).
export interface Target {
  uri: string;
  range: Range | null;
}

export interface ItemModel {
  id: string;
  label: string;
  description: string;
  tooltip: string;
  icon: string;
  collapsible: "none" | "collapsed" | "expanded";
  contextValue: string;
  target: Target | null;
}

interface KindText {
  description: string;
  tooltip: string;
}

const kindTexts: Record<IncludeKind, KindText> = {
  page: { description: "", tooltip: "Page" },
  file: { description: "", tooltip: "Include file" },
  missing: { description: "missing", tooltip: "Missing file: the include directive names no file" },
  circular: {
    description: "circular include",
    tooltip: "Circular include: the file includes itself through the files above it",
  },
  duplicate: {
    description: "duplicate include",
    tooltip: "Duplicate include: the page already includes this file",
  },
};

// The picture of a kind of file, relative to the extension's folder.
export function IconPath(kind: IncludeKind): string {
  return `images/${kind}.svg`;
}

// The elements below `parent`, or the roots when `parent` is undefined.
export function ChildElements(roots: IncludeNode[], parent?: TreeElement): TreeElement[] {
  if (parent === undefined) {
    return roots.map((node, index) => ({
      node,
      parentUri: null,
      rootUri: node.uri,
      key: `${index}:${node.path}`,
    }));
  }
  return parent.node.children.map((node, index) => ({
    node,
    parentUri: parent.node.uri,
    rootUri: parent.rootUri,
    key: `${parent.key}/${index}`,
  }));
}

// The row of an element. Its id changes with every Expand All or Collapse All, so that the
// editor forgets which folders were open and takes the state given here.
export function ItemOf(element: TreeElement, expansion: Expansion): ItemModel {
  const { node } = element;
  const text = kindTexts[node.kind];
  const where = node.path !== node.name ? node.path : "";
  return {
    id: `${expansion.generation}:${element.key}`,
    label: node.name,
    description: [text.description, where].filter((part) => part !== "").join(" · "),
    tooltip: `${node.path}\n${text.tooltip}`,
    icon: IconPath(node.kind),
    collapsible: Collapsible(element, expansion),
    contextValue: node.uri === null ? node.kind : `${node.kind} openable`,
    target: TargetOf(element),
  };
}

function Collapsible(element: TreeElement, expansion: Expansion): ItemModel["collapsible"] {
  if (element.node.children.length === 0) return "none";
  if (expansion.mode === "expanded") return "expanded";
  if (expansion.mode === "collapsed") return "collapsed";
  return element.parentUri === null ? "expanded" : "collapsed";
}

// A click opens the directive that brought the file in, in its parent's document; a root opens
// its own page.
function TargetOf(element: TreeElement): Target | null {
  const { node } = element;
  if (element.parentUri !== null && node.range !== null) {
    return { uri: element.parentUri, range: node.range };
  }
  return node.uri === null ? null : { uri: node.uri, range: null };
}

// The document whose reports the view's buttons show: the page at the top of the selected
// file's tree, or else the document the tree was asked for.
export function ReportSubject(selected: TreeElement | undefined, documentUri: string): string {
  return selected?.rootUri ?? documentUri;
}

// What the view's title adds after "Includes": the page's path, or for a file that is not a
// page, its name and how many pages include it.
export function ViewDescription(roots: IncludeNode[], documentUri: string): string {
  const [first] = roots;
  if (roots.length === 1 && first.uri !== null && SameDocument(first.uri, documentUri)) {
    return first.path;
  }
  const pages = roots.length === 1 ? "1 page" : `${roots.length} pages`;
  return `${DocumentName(documentUri)} in ${pages}`;
}
