#!/usr/bin/env python3
"""The language server's diagnostics of a shared include against check's findings for it.

Writes a site of 8,000 pages in 80 folders saved in CP949 (one page in ten in UTF-8), whose
include inc/common.inc, also CP949, is in 5,000 of them, with a lintra.toml that names the code
page; then runs `lintra check --format json` and `lintra lsp`, opens the include once the site is
indexed, and prints check's findings and the server's diagnostics for that file and how long the
diagnostics took. With FILE, measures that file of an existing site instead.

    shared_include_count.py LINTRA SITE_FOLDER [FILE]
"""
import json
import os
import re
import subprocess
import sys
import time

PAGES = 8000
KOREAN = "\ud55c\uae00 \ud398\uc774\uc9c0"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def include(path):
    return '<!-- #include virtual="/%s" -->\r\n' % path


def write_site(root):
    write(os.path.join(root, "lintra.toml"), b'encoding = "CP949"\n')
    common = "<%\r\nDim siteName\r\n' " + KOREAN + "\r\n%>\r\n"
    write(os.path.join(root, "inc/common.inc"), common.encode("cp949"))
    write(os.path.join(root, "inc/header.inc"), b"<html><body>\r\n")
    for page in range(PAGES):
        text = include("inc/header.inc")
        if page % 8 < 5:
            text += include("inc/common.inc")
        text += "<p>%s %d</p>\r\n" % (KOREAN, page)
        encoding = "utf-8" if page % 10 == 0 else "cp949"
        write(os.path.join(root, "p%02d/page%04d.asp" % (page // 100, page)), text.encode(encoding))


class Server:
    def __init__(self, lintra):
        self.process = subprocess.Popen([lintra, "lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def send(self, message):
        body = json.dumps(message).encode()
        self.process.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.process.stdin.flush()

    def read(self):
        length = 0
        while True:
            line = self.process.stdout.readline()
            if line in (b"\r\n", b""):
                break
            if line.lower().startswith(b"content-length:"):
                length = int(line.split(b":")[1])
        return json.loads(self.process.stdout.read(length))

    def wait(self, accept):
        while True:
            message = self.read()
            if accept(message):
                return message


def spots_of_check(findings):
    return sorted((f["rule"], max(f["line"], 1), max(f["pages"], 1)) for f in findings)


def spots_shown(diagnostics):
    def pages(message):
        counted = re.search(r"\(in (\d+) pages\)$", message)
        return int(counted.group(1)) if counted else 1
    return sorted((d["code"], d["range"]["start"]["line"] + 1, pages(d["message"]))
                  for d in diagnostics)


def decoded(path):
    with open(path, "rb") as source:
        data = source.read()
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp949", errors="replace")


def main():
    lintra, root = sys.argv[1], os.path.abspath(sys.argv[2])
    relative = sys.argv[3] if len(sys.argv) > 3 else "inc/common.inc"
    if not os.path.exists(root):
        write_site(root)
    check = json.loads(subprocess.run([lintra, "check", "--root", root, "--format", "json"],
                                      capture_output=True, cwd=root).stdout)
    checked = [f for f in check["findings"] if f["file"] == relative]

    server = Server(lintra)
    uri = "file://" + os.path.join(root, relative)
    start = time.monotonic()
    server.send({"jsonrpc": "2.0", "id": 1, "method": "initialize",
                 "params": {"rootUri": "file://" + root,
                            "capabilities": {"window": {"workDoneProgress": True}}}})
    server.send({"jsonrpc": "2.0", "method": "initialized", "params": {}})
    server.wait(lambda m: m.get("method") == "$/progress" and m["params"]["value"]["kind"] == "end")
    indexed = time.monotonic() - start
    text = decoded(os.path.join(root, relative))
    opened = time.monotonic()
    server.send({"jsonrpc": "2.0", "method": "textDocument/didOpen",
                 "params": {"textDocument": {"uri": uri, "languageId": "asp", "version": 1,
                                             "text": text}}})
    def diagnostics():
        return server.wait(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                           and m["params"]["uri"] == uri)["params"]["diagnostics"]

    # The first diagnostics come from the pages checked first; they are published again as the
    # other pages that reach the file are checked, until every page counts.
    published = diagnostics()
    first = time.monotonic() - opened
    first_count = len(published)
    while spots_shown(published) != spots_of_check(checked):
        published = diagnostics()
    settled = time.monotonic() - opened
    server.send({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    server.send({"jsonrpc": "2.0", "method": "exit"})
    server.process.wait()

    print("check findings in %s: %d" % (relative, len(checked)))
    for finding in checked:
        print("  %s (%d pages): %s" % (finding["rule"], finding["pages"], finding["message"]))
    print("published diagnostics: first %d, then %d" % (first_count, len(published)))
    for diagnostic in published:
        print("  %s: %s" % (diagnostic["code"], diagnostic["message"]))
    print("indexing %.3f s; diagnostics of the opened include: first %.1f ms, every page counted"
          " %.1f ms" % (indexed, first * 1000, settled * 1000))


if __name__ == "__main__":
    main()
