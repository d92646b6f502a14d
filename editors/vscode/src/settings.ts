// The command that starts the language server, from the `lintra.server.path` setting.

import { isAbsolute, join, resolve } from "node:path";

export const defaultServerPath = "lintra";

export interface ServerCommand {
  command: string;
  args: string[];
}

// What a path in the setting is read against: the first workspace folder (none when the
// window has no folder open) and the home folder; whether a bare name is found on PATH; and the
// server that a package for one platform carries (server/lintra in the linux-x64 package,
// server/lintra.exe in the win32-x64 one), when there is one.
export interface PathContext {
  workspaceFolder: string | undefined;
  home: string;
  onPath?: (name: string) => boolean;
  bundledServer?: string;
}

// The server's command line for the setting's value. A blank or missing value, or the default
// `lintra`, means `lintra` on PATH when there is one, and otherwise the bundled server when the
// package carries one; a bare name is looked up on PATH; `~` and `${workspaceFolder}` are
// replaced; any other relative path is taken from the workspace folder. Throws when the value
// needs a workspace folder and the window has none.
export function ServerCommandFor(setting: unknown, context: PathContext): ServerCommand {
  const value = typeof setting === "string" ? setting.trim() : "";
  const path = value === "" ? defaultServerPath : value;
  const installed = context.onPath?.(defaultServerPath) ?? false;
  if (path === defaultServerPath && !installed && context.bundledServer !== undefined) {
    return { command: context.bundledServer, args: ["lsp"] };
  }
  return { command: ResolvePath(path, context), args: ["lsp"] };
}

function ResolvePath(value: string, context: PathContext): string {
  let path = value;
  if (path === "~" || path.startsWith("~/")) path = join(context.home, path.slice(1));
  if (path.includes("${workspaceFolder}")) {
    path = path.replaceAll("${workspaceFolder}", Folder(value, context));
  }
  if (isAbsolute(path) || !/[\\/]/.test(path)) return path;
  return resolve(Folder(value, context), path);
}

function Folder(value: string, context: PathContext): string {
  if (context.workspaceFolder === undefined) {
    throw new Error(`lintra.server.path "${value}" needs a workspace folder; open one first`);
  }
  return context.workspaceFolder;
}
