import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { describe, it } from "node:test";
import { IncludeKind, IncludeNode, ParseIncludeTree } from "../src/includeNode";
import {
  ChildElements,
  Expansion,
  ItemOf,
  ReportSubject,
  TreeElement,
  ViewDescription,
} from "../src/treeItems";

const root = join(__dirname, "..", "..");
const site = "file:///srv/site";

function Range(line: number, start: number, end: number) {
  return { start: { line, character: start }, end: { line, character: end } };
}

// default.asp includes inc/header.inc (which includes inc/missing.inc and, circularly, itself)
// and inc/header.inc a second time.
const answer = {
  roots: [
    {
      name: "default.asp",
      path: "default.asp",
      uri: `${site}/default.asp`,
      kind: "page",
      range: null,
      children: [
        {
          name: "header.inc",
          path: "inc/header.inc",
          uri: `${site}/inc/header.inc`,
          kind: "file",
          range: Range(2, 0, 38),
          children: [
            {
              name: "missing.inc",
              path: "inc/missing.inc",
              uri: null,
              kind: "missing",
              range: Range(0, 4, 35),
              children: [],
            },
            {
              name: "header.inc",
              path: "inc/header.inc",
              uri: `${site}/inc/header.inc`,
              kind: "circular",
              range: Range(1, 0, 30),
              children: [],
            },
          ],
        },
        {
          name: "header.inc",
          path: "inc/header.inc",
          uri: `${site}/inc/header.inc`,
          kind: "duplicate",
          range: Range(7, 2, 40),
          children: [],
        },
      ],
    },
  ],
};

const remembered: Expansion = { mode: "remembered", generation: 0 };

// Every element of the tree, depth first.
function AllElements(roots: IncludeNode[], parent?: TreeElement): TreeElement[] {
  return ChildElements(roots, parent).flatMap((element) => [
    element,
    ...AllElements(roots, element),
  ]);
}

describe("reading the server's include tree", () => {
  it("keeps every node with its kind, address and directive", () => {
    assert.deepEqual(ParseIncludeTree(answer), answer.roots);
  });

  it("takes an empty list of roots for a file that no page reaches", () => {
    assert.deepEqual(ParseIncludeTree({ roots: [] }), []);
  });

  it("names the first value of the wrong shape", () => {
    const cases: [unknown, string][] = [
      [null, "result is not an object"],
      [{ roots: {} }, "result.roots is not an array"],
      [
        { roots: [{ ...answer.roots[0], kind: "folder" }] },
        "roots[0].kind is not one of page, file, missing, circular, duplicate",
      ],
      [{ roots: [{ ...answer.roots[0], uri: 7 }] }, "roots[0].uri is not a string"],
      [
        { roots: [{ ...answer.roots[0], children: [{ name: "a" }] }] },
        "roots[0].children[0].path is not a string",
      ],
      [
        {
          roots: [
            {
              ...answer.roots[0],
              range: { start: { line: -1, character: 0 }, end: { line: 0, character: 0 } },
            },
          ],
        },
        "roots[0].range.start is not a position",
      ],
    ];
    for (const [value, message] of cases) {
      assert.throws(() => ParseIncludeTree(value), { message });
    }
  });
});

describe("rows of the Includes view", () => {
  const roots = ParseIncludeTree(answer);
  const rows = AllElements(roots).map((element) => ItemOf(element, remembered));

  it("show each file's name, its state, and its path where the name does not", () => {
    assert.deepEqual(
      rows.map((row) => [row.label, row.description]),
      [
        ["default.asp", ""],
        ["header.inc", "inc/header.inc"],
        ["missing.inc", "missing · inc/missing.inc"],
        ["header.inc", "circular include · inc/header.inc"],
        ["header.inc", "duplicate include · inc/header.inc"],
      ],
    );
    assert.equal(
      rows[2].tooltip,
      "inc/missing.inc\nMissing file: the include directive names no file",
    );
  });

  it("draw each kind with its own picture, a 16 pixel SVG of the extension", () => {
    assert.deepEqual(
      rows.map((row) => row.icon),
      ["page", "file", "missing", "circular", "duplicate"].map((kind) => `images/${kind}.svg`),
    );
    for (const icon of new Set(rows.map((row) => row.icon))) {
      assert.match(readFileSync(join(root, icon), "utf8"), /^<svg [^>]*viewBox="0 0 16 16"/);
    }
  });

  it("open the directive in the parent's document, and a page at its top", () => {
    assert.deepEqual(
      rows.map((row) => row.target),
      [
        { uri: `${site}/default.asp`, range: null },
        { uri: `${site}/default.asp`, range: Range(2, 0, 38) },
        { uri: `${site}/inc/header.inc`, range: Range(0, 4, 35) },
        { uri: `${site}/inc/header.inc`, range: Range(1, 0, 30) },
        { uri: `${site}/default.asp`, range: Range(7, 2, 40) },
      ],
    );
  });

  it("offer the file itself only where it exists", () => {
    assert.deepEqual(
      rows.map((row) => row.contextValue),
      ["page openable", "file openable", "missing", "circular openable", "duplicate openable"],
    );
  });

  it("have ids unique in the view", () => {
    const ids = rows.map((row) => row.id);
    assert.equal(new Set(ids).size, ids.length);
  });
});

describe("expanding and collapsing", () => {
  const roots = ParseIncludeTree(answer);
  const elements = AllElements(roots);
  const states = (expansion: Expansion) =>
    elements.map((element) => ItemOf(element, expansion).collapsible);

  it("opens the page and folds the files below it at first", () => {
    assert.deepEqual(states(remembered), ["expanded", "collapsed", "none", "none", "none"]);
  });

  it("opens or folds every file that has includes after Expand All or Collapse All", () => {
    assert.deepEqual(states({ mode: "expanded", generation: 1 }), [
      "expanded",
      "expanded",
      "none",
      "none",
      "none",
    ]);
    assert.deepEqual(states({ mode: "collapsed", generation: 2 }), [
      "collapsed",
      "collapsed",
      "none",
      "none",
      "none",
    ]);
  });

  it("gives every row a new id at each command, so the editor forgets what it had open", () => {
    const before = ItemOf(elements[1], { mode: "expanded", generation: 1 }).id;
    const after = ItemOf(elements[1], { mode: "expanded", generation: 2 }).id;
    assert.notEqual(before, after);
  });

  it("keeps ids across refreshes of the same page but not between pages", () => {
    const again = AllElements(ParseIncludeTree(answer)).map(
      (element) => ItemOf(element, remembered).id,
    );
    assert.deepEqual(
      again,
      elements.map((element) => ItemOf(element, remembered).id),
    );
    const other = { ...answer.roots[0], name: "other.asp", path: "other.asp" };
    const otherIds = AllElements(ParseIncludeTree({ roots: [other] })).map(
      (element) => ItemOf(element, remembered).id,
    );
    assert.equal(otherIds.filter((id) => again.includes(id)).length, 0);
  });
});

describe("the page whose reports the buttons show", () => {
  const page = (name: string): IncludeNode => ({
    name,
    path: name,
    uri: `${site}/${name}`,
    kind: "page" as IncludeKind,
    range: null,
    children: [
      {
        name: "a.inc",
        path: "a.inc",
        uri: `${site}/a.inc`,
        kind: "file",
        range: Range(0, 0, 20),
        children: [],
      },
    ],
  });
  const roots = [page("one.asp"), page("two.asp")];

  it("is the page at the top of the selected file's tree", () => {
    const second = ChildElements(roots)[1];
    const below = ChildElements(roots, second)[0];
    assert.equal(ReportSubject(below, `${site}/a.inc`), `${site}/two.asp`);
  });

  it("is the document the tree was asked for when nothing is selected", () => {
    assert.equal(ReportSubject(undefined, `${site}/a.inc`), `${site}/a.inc`);
  });
});

describe("the view's title", () => {
  const [tree] = ParseIncludeTree(answer).map((node) => ({ ...node, path: "shop/default.asp" }));

  it("names the page, however the editor escapes its address", () => {
    const page = { ...tree, uri: "file:///srv/my%20site/shop/default.asp" };
    assert.equal(
      ViewDescription([page], "file:///srv/my site/shop/default.asp"),
      "shop/default.asp",
    );
  });

  it("names an include file and counts the pages that include it", () => {
    const header = `${site}/inc/header%2Bfooter.inc`;
    assert.equal(ViewDescription([tree], header), "header+footer.inc in 1 page");
    assert.equal(ViewDescription([tree, tree, tree], header), "header+footer.inc in 3 pages");
    assert.equal(ViewDescription([], header), "header+footer.inc in 0 pages");
  });
});
