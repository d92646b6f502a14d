import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { describe, it } from "node:test";

const root = join(__dirname, "..", "..");
const manifest = JSON.parse(readFileSync(join(root, "package.json"), "utf8"));
const contributes = manifest.contributes;
const extensionSource = readFileSync(join(root, "src", "extension.ts"), "utf8");

function ReadJson(path: string): unknown {
  return JSON.parse(readFileSync(join(root, path), "utf8"));
}

describe("the extension's manifest", () => {
  it("registers a handler for every command it contributes or its rows run", () => {
    const registered = [...extensionSource.matchAll(/registerCommand\("([^"]+)"/g)].map(
      (match) => match[1],
    );
    const contributed: string[] = contributes.commands.map(
      (command: { command: string }) => command.command,
    );
    for (const command of [...contributed, "lintra.open"]) {
      assert.ok(registered.includes(command), `${command} has no handler`);
    }
  });

  it("puts only contributed commands in its menus", () => {
    const contributed = new Set(
      contributes.commands.map((command: { command: string }) => command.command),
    );
    const menus = Object.values(contributes.menus) as { command: string }[][];
    for (const entry of menus.flat()) {
      assert.ok(contributed.has(entry.command), `${entry.command} is not contributed`);
    }
  });

  it("makes .asp, .asa and .inc files ASP, with a configuration and grammar that parse", () => {
    const [language] = contributes.languages;
    assert.deepEqual([language.id, language.extensions], ["asp", [".asp", ".asa", ".inc"]]);
    const configuration = ReadJson(language.configuration) as { comments: unknown };
    assert.deepEqual(configuration.comments, { lineComment: "'", blockComment: ["<!--", "-->"] });
    const [grammar] = contributes.grammars;
    assert.equal((ReadJson(grammar.path) as { scopeName: string }).scopeName, grammar.scopeName);
  });
});
