import assert from "node:assert/strict";
import { ChildProcessWithoutNullStreams, spawn } from "node:child_process";
import { resolve } from "node:path";
import { describe, it } from "node:test";
import { pathToFileURL } from "node:url";
import { ParseIncludeTree } from "../src/includeNode";
import { ChildElements, Expansion, ItemOf, TreeElement } from "../src/treeItems";

// The real server, where the test run names it (LINTRA) and a site (LINTRA_SITE): the rows of the
// Includes view as the extension builds them from what `lintra lsp` answers.
const lintra = process.env.LINTRA;
const site = process.env.LINTRA_SITE;

// A client that speaks JSON-RPC with Content-Length framing to a server process.
class Connection {
  private buffer = Buffer.alloc(0);
  private waiting = new Map<number, (message: any) => void>();
  private nextId = 1;

  constructor(private server: ChildProcessWithoutNullStreams) {
    server.stdout.on("data", (chunk: Buffer) => this.Read(chunk));
  }

  Request(method: string, params: unknown): Promise<any> {
    const id = this.nextId++;
    this.Send({ jsonrpc: "2.0", id, method, params });
    return new Promise((done) => this.waiting.set(id, done));
  }

  Notify(method: string, params: unknown): void {
    this.Send({ jsonrpc: "2.0", method, params });
  }

  private Send(message: unknown): void {
    const body = Buffer.from(JSON.stringify(message), "utf8");
    this.server.stdin.write(`Content-Length: ${body.length}\r\n\r\n`);
    this.server.stdin.write(body);
  }

  private Read(chunk: Buffer): void {
    this.buffer = Buffer.concat([this.buffer, chunk]);
    for (;;) {
      const end = this.buffer.indexOf("\r\n\r\n");
      if (end < 0) return;
      const length = Number(
        /Content-Length: *(\d+)/i.exec(this.buffer.subarray(0, end).toString())![1],
      );
      if (this.buffer.length < end + 4 + length) return;
      const message = JSON.parse(this.buffer.subarray(end + 4, end + 4 + length).toString("utf8"));
      this.buffer = this.buffer.subarray(end + 4 + length);
      if (message.id !== undefined && this.waiting.has(message.id)) {
        this.waiting.get(message.id)!(message);
        this.waiting.delete(message.id);
      }
    }
  }
}

// Every row below `parent`, indented by depth, as "label (description) [picture]".
function Rows(
  roots: ReturnType<typeof ParseIncludeTree>,
  parent?: TreeElement,
  depth = 0,
): string[] {
  const expanded: Expansion = { mode: "expanded", generation: 1 };
  return ChildElements(roots, parent).flatMap((element) => {
    const item = ItemOf(element, expanded);
    const description = item.description === "" ? "" : ` (${item.description})`;
    const row = `${"  ".repeat(depth)}${item.label}${description} [${item.icon}]`;
    return [row, ...Rows(roots, element, depth + 1)];
  });
}

describe("the Includes view on the real server", { skip: !lintra || !site }, () => {
  it("shows the login page's tree with the circular include flagged", async () => {
    const root = resolve(site!);
    const server = spawn(lintra!, ["lsp"]);
    const connection = new Connection(server);
    try {
      await connection.Request("initialize", {
        processId: process.pid,
        rootUri: pathToFileURL(root).href,
        capabilities: {},
      });
      connection.Notify("initialized", {});
      const answer = await connection.Request("lintra/includeTree", {
        textDocument: { uri: pathToFileURL(`${root}/account/login.asp`).href },
      });
      assert.deepEqual(Rows(ParseIncludeTree(answer.result)), [
        "login.asp (account/login.asp) [images/page.svg]",
        "  connection.inc (inc/connection.inc) [images/file.svg]",
        "    config.inc (inc/config.inc) [images/file.svg]",
        "  security.inc (inc/security.inc) [images/file.svg]",
        "    session.inc (inc/session.inc) [images/file.svg]",
        "      security.inc (circular include · inc/security.inc) [images/circular.svg]",
        "  header.inc (inc/header.inc) [images/file.svg]",
        "    menu.inc (inc/menu.inc) [images/file.svg]",
        "  footer.inc (inc/footer.inc) [images/file.svg]",
      ]);
      await connection.Request("shutdown", null);
      connection.Notify("exit", null);
    } finally {
      server.kill();
    }
  });
});
