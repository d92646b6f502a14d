// The include tree as the language server sends it (`lintra/includeTree`), and a check of the
// JSON that keeps a malformed answer from reaching the view.

export type IncludeKind = "page" | "file" | "missing" | "circular" | "duplicate";

export interface Position {
  line: number;
  character: number;
}

export interface Range {
  start: Position;
  end: Position;
}

// One file of a page's tree. `uri` is null for a missing file; `range` is the include directive
// in the parent's document, null for a root.
export interface IncludeNode {
  name: string;
  path: string;
  uri: string | null;
  kind: IncludeKind;
  range: Range | null;
  children: IncludeNode[];
}

const kinds: readonly string[] = ["page", "file", "missing", "circular", "duplicate"];

// The roots of a `lintra/includeTree` result. Throws an Error naming the first value that is not
// of the expected shape.
export function ParseIncludeTree(result: unknown): IncludeNode[] {
  const roots = Field(result, "roots", "result");
  if (!Array.isArray(roots)) throw new Error("result.roots is not an array");
  return roots.map((root, index) => ParseNode(root, `roots[${index}]`));
}

function ParseNode(value: unknown, where: string): IncludeNode {
  const name = Field(value, "name", where);
  const path = Field(value, "path", where);
  const uri = Field(value, "uri", where);
  const kind = Field(value, "kind", where);
  const children = Field(value, "children", where);
  if (typeof name !== "string") throw new Error(`${where}.name is not a string`);
  if (typeof path !== "string") throw new Error(`${where}.path is not a string`);
  if (uri !== null && typeof uri !== "string") throw new Error(`${where}.uri is not a string`);
  if (typeof kind !== "string" || !kinds.includes(kind)) {
    throw new Error(`${where}.kind is not one of ${kinds.join(", ")}`);
  }
  if (!Array.isArray(children)) throw new Error(`${where}.children is not an array`);
  return {
    name,
    path,
    uri,
    kind: kind as IncludeKind,
    range: ParseRange(Field(value, "range", where), `${where}.range`),
    children: children.map((child, index) => ParseNode(child, `${where}.children[${index}]`)),
  };
}

function ParseRange(value: unknown, where: string): Range | null {
  if (value === null || value === undefined) return null;
  return {
    start: ParsePosition(Field(value, "start", where), `${where}.start`),
    end: ParsePosition(Field(value, "end", where), `${where}.end`),
  };
}

function ParsePosition(value: unknown, where: string): Position {
  const line = Field(value, "line", where);
  const character = Field(value, "character", where);
  if (!IsCount(line) || !IsCount(character)) throw new Error(`${where} is not a position`);
  return { line, character };
}

function IsCount(value: unknown): value is number {
  return typeof value === "number" && Number.isInteger(value) && value >= 0;
}

// The member `key` of `value`, which must be an object.
function Field(value: unknown, key: string, where: string): unknown {
  if (typeof value !== "object" || value === null || Array.isArray(value)) {
    throw new Error(`${where} is not an object`);
  }
  return (value as Record<string, unknown>)[key];
}
