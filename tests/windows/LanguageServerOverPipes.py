#!/usr/bin/env python3
"""LanguageServerOverPipes.py LINUX_LINTRA SITE WINDOWS_COMMAND...: a language client's
conversation with `lintra lsp` over pipes, once with the Linux build and file:///site URIs, once
with lintra.exe under Wine and the URIs a Windows editor sends (file:///z%3A/site/default.asp).
Every frame the server writes must carry exactly its Content-Length of bytes (no line-break
translation), the diagnostics of the opened page must name it by the URI the client gave and
match the Linux server's, and the server must end with status 0 after shutdown and exit."""
import json
import subprocess
import sys
import threading
import urllib.parse

linux, site, windows = sys.argv[1], sys.argv[2], sys.argv[3:]
PAGE = "shop/cart.asp"


def frame(message):
    body = json.dumps(message).encode()
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


def read_frame(stream):
    """The next message, insisting on an exact header and body; None at the end."""
    header = b""
    while not header.endswith(b"\r\n\r\n"):
        byte = stream.read(1)
        if not byte:
            return None
        header += byte
    assert header.startswith(b"Content-Length: "), header
    assert b"\r\r" not in header, header
    length = int(header[len(b"Content-Length: "):-4])
    body = stream.read(length)
    assert len(body) == length, (length, body)
    return json.loads(body)


def converse(command, root_uri):
    page_uri = root_uri + "/" + PAGE
    server = subprocess.Popen(command + ["lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    timer = threading.Timer(120, server.kill)
    timer.start()
    text = open(f"{site}/{PAGE}", encoding="utf-8").read()
    server.stdin.write(frame({"jsonrpc": "2.0", "id": 1, "method": "initialize",
                              "params": {"processId": None, "rootUri": root_uri, "capabilities": {}}}))
    server.stdin.write(frame({"jsonrpc": "2.0", "method": "initialized", "params": {}}))
    server.stdin.write(frame({"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {
        "textDocument": {"uri": page_uri, "languageId": "asp", "version": 1, "text": text}}}))
    server.stdin.flush()
    diagnostics = None
    while diagnostics is None:
        message = read_frame(server.stdout)
        assert message is not None, "the server ended before it published diagnostics"
        if message.get("method") == "textDocument/publishDiagnostics" and \
                message["params"]["uri"] == page_uri:
            diagnostics = message["params"]["diagnostics"]
    server.stdin.write(frame({"jsonrpc": "2.0", "id": 2, "method": "shutdown"}))
    server.stdin.flush()
    while (message := read_frame(server.stdout)) is not None and message.get("id") != 2:
        pass
    server.stdin.write(frame({"jsonrpc": "2.0", "method": "exit"}))
    server.stdin.close()
    status = server.wait()
    timer.cancel()
    assert status == 0, f"{command[-1]} lsp ended with {status}"
    return json.loads(json.dumps(diagnostics).replace(root_uri, "ROOT"))


quoted = urllib.parse.quote(site)
linux_diagnostics = converse([linux], "file://" + quoted)
windows_diagnostics = converse(windows, "file:///z%3A" + quoted)
assert linux_diagnostics, "no diagnostics for " + PAGE
if windows_diagnostics != linux_diagnostics:
    print("lintra.exe:", json.dumps(windows_diagnostics, indent=1))
    print("lintra:", json.dumps(linux_diagnostics, indent=1))
    sys.exit(1)
print(f"{len(linux_diagnostics)} diagnostics alike")
