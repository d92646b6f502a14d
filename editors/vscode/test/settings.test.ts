import assert from "node:assert/strict";
import { describe, it } from "node:test";
import { PathContext, ServerCommandFor } from "../src/settings";

const context: PathContext = { workspaceFolder: "/srv/site", home: "/home/ann" };

describe("the server's command line from lintra.server.path", () => {
  it("runs the executable's lsp command", () => {
    const cases: [unknown, string][] = [
      [undefined, "lintra"],
      ["", "lintra"],
      ["   ", "lintra"],
      [42, "lintra"],
      ["lintra-dev", "lintra-dev"],
      [" /opt/lintra/bin/lintra ", "/opt/lintra/bin/lintra"],
      ["~/bin/lintra", "/home/ann/bin/lintra"],
      ["${workspaceFolder}/build/apps/lintra", "/srv/site/build/apps/lintra"],
      ["build/apps/lintra", "/srv/site/build/apps/lintra"],
      ["./lintra", "/srv/site/lintra"],
      ["../tools/lintra", "/srv/tools/lintra"],
    ];
    for (const [setting, command] of cases) {
      assert.deepEqual(
        ServerCommandFor(setting, context),
        { command, args: ["lsp"] },
        String(setting),
      );
    }
  });

  it("needs no workspace folder for a name on PATH or an absolute path", () => {
    const none = { ...context, workspaceFolder: undefined };
    assert.equal(ServerCommandFor("lintra", none).command, "lintra");
    assert.equal(ServerCommandFor("/usr/bin/lintra", none).command, "/usr/bin/lintra");
  });

  it("runs the bundled server for the default, and the named one for any other value", () => {
    const bundled = { ...context, bundledServer: "C:\\ext\\server\\lintra.exe" };
    const cases: [unknown, string][] = [
      [undefined, "C:\\ext\\server\\lintra.exe"],
      ["", "C:\\ext\\server\\lintra.exe"],
      [" lintra ", "C:\\ext\\server\\lintra.exe"],
      ["lintra-dev", "lintra-dev"],
      ["/opt/lintra/bin/lintra", "/opt/lintra/bin/lintra"],
    ];
    for (const [setting, command] of cases) {
      assert.equal(ServerCommandFor(setting, bundled).command, command, String(setting));
    }
  });

  it("prefers a lintra on PATH to the bundled server", () => {
    const both = { ...context, bundledServer: "/ext/server/lintra", onPath: () => true };
    assert.equal(ServerCommandFor(undefined, both).command, "lintra");
    const neither = { ...context, onPath: () => false };
    assert.equal(ServerCommandFor(undefined, neither).command, "lintra");
  });

  it("refuses a relative path when no workspace folder is open", () => {
    const none = { ...context, workspaceFolder: undefined };
    for (const setting of ["build/lintra", "${workspaceFolder}/lintra"]) {
      assert.throws(() => ServerCommandFor(setting, none), {
        message: `lintra.server.path "${setting}" needs a workspace folder; open one first`,
      });
    }
  });
});
