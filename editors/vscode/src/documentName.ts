// The name a document is shown by, and whether two URIs name the same document.

import { posix } from "node:path";

// The last part of the URI's path, with its escapes decoded; as it stands when they do not
// decode.
export function DocumentName(uri: string): string {
  const path = uri.replace(/[?#].*$/, "").replace(/^[a-z][a-z0-9+.-]*:(\/\/[^/]*)?/i, "");
  return Decoded(posix.basename(path));
}

// Whether two file URIs name the same document, however each escapes its characters.
export function SameDocument(first: string, second: string): boolean {
  return Decoded(first) === Decoded(second);
}

function Decoded(uri: string): string {
  try {
    return decodeURIComponent(uri);
  } catch {
    return uri;
  }
}
