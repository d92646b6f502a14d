import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join, posix } from "node:path";
import { describe, it } from "node:test";
import { IncludeKind, IncludeNode, ParseIncludeTree, Range } from "../src/includeNode";
import {
  ChildElements,
  Expansion,
  ItemOf,
  ReportSubject,
  TreeElement,
  ViewDescription,
} from "../src/treeItems";

const site = "file:///srv/site";

function At(line: number, start: number, end: number): Range {
  return { start: { line, character: start }, end: { line, character: end } };
}

// A node as the server sends it: a file of the site, with no URI when it is missing.
function Node(kind: IncludeKind, path: string, range: Range | null, children: IncludeNode[] = []) {
  const uri = kind === "missing" ? null : `${site}/${path}`;
  return { name: posix.basename(path), path, uri, kind, range, children };
}

// default.asp includes inc/header.inc (which includes inc/missing.inc and, circularly, itself)
// and then inc/header.inc a second time.
const answer = {
  roots: [
    Node("page", "default.asp", null, [
      Node("file", "inc/header.inc", At(2, 0, 38), [
        Node("missing", "inc/missing.inc", At(0, 4, 35)),
        Node("circular", "inc/header.inc", At(1, 0, 30)),
      ]),
      Node("duplicate", "inc/header.inc", At(7, 2, 40)),
    ]),
  ],
};

const remembered: Expansion = { mode: "remembered", generation: 0 };

// Every element of the tree, depth first.
function AllElements(roots: IncludeNode[], parent?: TreeElement): TreeElement[] {
  return ChildElements(roots, parent).flatMap((child) => [child, ...AllElements(roots, child)]);
}

describe("reading the server's include tree", () => {
  it("keeps every node with its kind, address and directive", () => {
    assert.deepEqual(ParseIncludeTree(answer), answer.roots);
    assert.deepEqual(ParseIncludeTree({ roots: [] }), []);
  });

  it("names the first value of the wrong shape", () => {
    const page = answer.roots[0];
    const cases: [unknown, string][] = [
      [null, "result is not an object"],
      [{ roots: {} }, "result.roots is not an array"],
      [
        { roots: [{ ...page, kind: "folder" }] },
        "roots[0].kind is not one of page, file, missing, circular, duplicate",
      ],
      [{ roots: [{ ...page, uri: 7 }] }, "roots[0].uri is not a string"],
      [
        { roots: [{ ...page, children: [{ name: "a" }] }] },
        "roots[0].children[0].path is not a string",
      ],
      [
        { roots: [{ ...page, range: { start: { line: -1, character: 0 } } }] },
        "roots[0].range.start is not a position",
      ],
    ];
    for (const [value, message] of cases) {
      assert.throws(() => ParseIncludeTree(value), { message });
    }
  });
});

describe("rows of the Includes view", () => {
  const rows = AllElements(ParseIncludeTree(answer)).map((element) => ItemOf(element, remembered));

  it("show name, state, picture and the directive a click opens, for each kind of file", () => {
    const target = (uri: string, range: Range | null) =>
      `${uri.slice(site.length)}:${range === null ? "top" : range.start.line}`;
    assert.deepEqual(
      rows.map((row) =>
        [
          row.label,
          row.description,
          row.icon,
          row.contextValue,
          target(row.target!.uri, row.target!.range),
        ].join(" | "),
      ),
      [
        "default.asp |  | images/page.svg | page openable | /default.asp:top",
        "header.inc | inc/header.inc | images/file.svg | file openable | /default.asp:2",
        "missing.inc | missing · inc/missing.inc | images/missing.svg | missing | /inc/header.inc:0",
        "header.inc | circular include · inc/header.inc | images/circular.svg | circular openable | /inc/header.inc:1",
        "header.inc | duplicate include · inc/header.inc | images/duplicate.svg | duplicate openable | /default.asp:7",
      ],
    );
    assert.equal(
      rows[2].tooltip,
      "inc/missing.inc\nMissing file: the include directive names no file",
    );
  });

  it("draw pictures that the extension holds as 16 pixel SVGs", () => {
    for (const row of rows) {
      const svg = readFileSync(join(__dirname, "..", "..", row.icon), "utf8");
      assert.match(svg, /^<svg [^>]*viewBox="0 0 16 16"/);
    }
  });

  it("have ids unique in the view", () => {
    assert.equal(new Set(rows.map((row) => row.id)).size, rows.length);
  });
});

describe("expanding and collapsing", () => {
  const elements = AllElements(ParseIncludeTree(answer));
  const ids = (tree: TreeElement[], expansion: Expansion) =>
    tree.map((element) => ItemOf(element, expansion).id);

  it("opens the page at first, and every file with includes after Expand All or Collapse All", () => {
    const cases: [Expansion, string[]][] = [
      [remembered, ["expanded", "collapsed", "none", "none", "none"]],
      [{ mode: "expanded", generation: 1 }, ["expanded", "expanded", "none", "none", "none"]],
      [{ mode: "collapsed", generation: 2 }, ["collapsed", "collapsed", "none", "none", "none"]],
    ];
    for (const [expansion, states] of cases) {
      assert.deepEqual(
        elements.map((element) => ItemOf(element, expansion).collapsible),
        states,
      );
    }
  });

  it("gives every row a new id at each command, so the editor forgets what it had open", () => {
    const first = ids(elements, { mode: "expanded", generation: 1 });
    const second = ids(elements, { mode: "expanded", generation: 2 });
    assert.equal(second.filter((id) => first.includes(id)).length, 0);
  });

  it("keeps ids across refreshes of the same page but not between pages", () => {
    assert.deepEqual(
      ids(AllElements(ParseIncludeTree(answer)), remembered),
      ids(elements, remembered),
    );
    const other = { roots: [{ ...answer.roots[0], name: "other.asp", path: "other.asp" }] };
    const otherIds = ids(AllElements(ParseIncludeTree(other)), remembered);
    assert.equal(otherIds.filter((id) => ids(elements, remembered).includes(id)).length, 0);
  });
});

describe("the page whose reports the buttons show", () => {
  const page = (path: string) => Node("page", path, null, [Node("file", "a.inc", At(0, 0, 20))]);
  const roots = ParseIncludeTree({ roots: [page("one.asp"), page("two.asp")] });

  it("is the page at the top of the selected file's tree, else the tree's document", () => {
    const below = ChildElements(roots, ChildElements(roots)[1])[0];
    assert.equal(ReportSubject(below, `${site}/a.inc`), `${site}/two.asp`);
    assert.equal(ReportSubject(undefined, `${site}/a.inc`), `${site}/a.inc`);
  });
});

describe("the view's title", () => {
  const page = Node("page", "shop/default.asp", null);

  it("names the page, however the editor escapes its address", () => {
    const escaped = { ...page, uri: "file:///srv/my%20site/shop/default.asp" };
    assert.equal(
      ViewDescription([escaped], "file:///srv/my site/shop/default.asp"),
      "shop/default.asp",
    );
  });

  it("names an include file and counts the pages that include it", () => {
    const header = `${site}/inc/header%2Bfooter.inc`;
    assert.equal(ViewDescription([page], header), "header+footer.inc in 1 page");
    assert.equal(ViewDescription([page, page, page], header), "header+footer.inc in 3 pages");
  });
});
