-- Neovim as the language server's client: opens a page of the fixture site, checks the
-- diagnostics, a definition, the references of an include and an unsaved edit; then, on a site
-- of its own, an include changed on disk while closed.
-- Run: LINTRA=path/to/lintra SITE=path/to/site nvim --headless -u NONE -c "luafile THIS"
local lintra, site = os.getenv("LINTRA"), os.getenv("SITE")
local timeout = 30000

local function finish(problem)
  io.stdout:write((problem and ("FAIL: " .. problem) or "ok") .. "\n")
  vim.cmd(problem and "cquit 1" or "qa!")
end

local function check(condition, problem)
  if not condition then
    finish(problem)
    error(problem)
  end
end

local function diagnosticWithCode(buffer, code)
  for _, diagnostic in ipairs(vim.diagnostic.get(buffer)) do
    if diagnostic.code == code then return diagnostic end
  end
end

-- Starts a server on the site at `root`, opens its page `file` and attaches the server to it;
-- the client's id and the page's buffer.
local function openWithServer(root, file)
  local started = vim.lsp.start_client({ cmd = { lintra, "lsp" }, root_dir = root })
  check(started, "the server did not start on " .. root)
  vim.cmd("edit " .. root .. "/" .. file)
  local buffer = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(buffer, started)
  return started, buffer
end

local client, page = openWithServer(site, "default.asp")

-- The missing include: its directive's range and the rule's id.
check(vim.wait(timeout, function() return diagnosticWithCode(page, "missing-include") end, 20),
  "no missing-include diagnostic")
local missing = diagnosticWithCode(page, "missing-include")
check(missing.lnum == 2 and missing.col == 0 and missing.end_lnum == 2 and missing.end_col == 40,
  "missing-include at " .. vim.inspect({ missing.lnum, missing.col, missing.end_lnum, missing.end_col }))
check(#vim.diagnostic.get(page) == 1, "more than one diagnostic: " .. vim.inspect(vim.diagnostic.get(page)))

-- Go to the definition of the first directive: the included file.
local answers = vim.lsp.buf_request_sync(page, "textDocument/definition", {
  textDocument = { uri = vim.uri_from_bufnr(page) }, position = { line = 1, character = 8 } }, timeout)
local location = answers and answers[client] and answers[client].result
check(location, "no definition")
vim.lsp.util.jump_to_location(location, "utf-16")
local landed = vim.api.nvim_buf_get_name(0)
check(landed == site .. "/inc/config.inc", "the definition landed in " .. landed)

-- Who includes the file: its three directives, once the site is indexed.
local references
check(vim.wait(timeout, function()
  local reply = vim.lsp.get_client_by_id(client).request_sync("textDocument/references", {
    textDocument = { uri = vim.uri_from_fname(landed) }, position = { line = 0, character = 0 },
    context = { includeDeclaration = true } }, timeout, page)
  references = reply and reply.result or {}
  return #references == 3
end, 50), "references: " .. vim.inspect(references))

-- Declare the include's name again in the page, without saving.
vim.cmd("buffer " .. page)
vim.api.nvim_buf_set_lines(page, -1, -1, false, { "<% Dim siteName %>" })
check(vim.wait(timeout, function() return diagnosticWithCode(page, "name-redefined") end, 20),
  "no name-redefined after the edit")
local redefined = diagnosticWithCode(page, "name-redefined")
check(redefined.lnum == 4 and redefined.col == 7, "name-redefined at " .. vim.inspect({ redefined.lnum, redefined.col }))
check(vim.bo[page].modified, "the page was saved")

-- Neovim 0.7 reports no change on disk: the server looks at the files itself. A page declares a
-- name that its include declares too; the include is then changed on disk, as a pull would, and
-- the page written.
local disk = vim.fn.tempname()
vim.fn.mkdir(disk .. "/inc", "p")
vim.fn.writefile({ '<!-- #include file="inc/lib.inc" -->', "<% Dim total %>" }, disk .. "/page.asp")
vim.fn.writefile({ "<% Dim total %>" }, disk .. "/inc/lib.inc")
local _, onDisk = openWithServer(disk, "page.asp")
check(vim.wait(timeout, function() return diagnosticWithCode(onDisk, "name-redefined") end, 20),
  "no name-redefined before the include changed")
-- The page then uses nothing of the include: what is left is the note that says so.
vim.fn.writefile({ "<% Dim rate %>" }, disk .. "/inc/lib.inc")
vim.cmd("silent write")
check(vim.wait(timeout, function()
  return #vim.diagnostic.get(onDisk) == 1 and diagnosticWithCode(onDisk, "unused-include")
end, 20), "stale diagnostics after the include changed on disk: " .. vim.inspect(vim.diagnostic.get(onDisk)))
vim.fn.delete(disk, "rf")
finish(nil)
