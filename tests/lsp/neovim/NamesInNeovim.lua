-- Neovim as the language server's client on VBScript names: definition, references and hover of
-- a Function that the page reaches two includes away.
-- Run: LINTRA=path/to/lintra SITE=path/to/names nvim --headless -u NONE -c "luafile THIS"
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

local client = vim.lsp.start_client({ cmd = { lintra, "lsp" }, root_dir = site })
check(client, "the server did not start on " .. site)
vim.cmd("edit " .. site .. "/default.asp")
local page = vim.api.nvim_get_current_buf()
vim.lsp.buf_attach_client(page, client)

-- The result of `method` at `line` and `character` (0-based) of `buffer`, asked until `accept`
-- takes it, since the server answers for names once it has indexed the pages.
local function askUntil(buffer, method, line, character, accept)
  local result
  vim.wait(timeout, function()
    local reply = vim.lsp.get_client_by_id(client).request_sync(method, {
      textDocument = { uri = vim.uri_from_bufnr(buffer) }, position = { line = line, character = character },
      context = { includeDeclaration = true } }, timeout, buffer)
    result = reply and reply.result
    return result ~= nil and accept(result)
  end, 50)
  return result
end

-- FormatPrice in `<% Response.Write FormatPrice(12) %>`: its declaration in inc/lib/money.inc.
local definitions = askUntil(page, "textDocument/definition", 1, 20, function(r) return #r > 0 end)
check(definitions and #definitions == 1, "definition: " .. vim.inspect(definitions))
vim.lsp.util.jump_to_location(definitions[1], "utf-16")
local landed = vim.api.nvim_buf_get_name(0)
check(landed == site .. "/inc/lib/money.inc", "the definition landed in " .. landed)
local cursor = vim.api.nvim_win_get_cursor(0)
check(cursor[1] == 2 and cursor[2] == 9, "the definition landed at " .. vim.inspect(cursor))
local library = vim.api.nvim_get_current_buf()
vim.lsp.buf_attach_client(library, client)

-- From the declaration: itself, its use in its own body and the calls of both pages.
local references = askUntil(library, "textDocument/references", 1, 12, function(r) return #r == 4 end)
check(references and #references == 4, "references: " .. vim.inspect(references))
local places = {}
for _, reference in ipairs(references) do
  places[#places + 1] = vim.fn.fnamemodify(vim.uri_to_fname(reference.uri), ":t") .. ":" ..
    reference.range.start.line .. ":" .. reference.range.start.character
end
table.sort(places)
check(vim.deep_equal(places, { "cart.asp:1:8", "default.asp:1:18", "money.inc:1:9", "money.inc:2:2" }),
  "references at " .. vim.inspect(places))

-- Hovering the call shows the declaration's line and the includes it comes through.
local hover = askUntil(page, "textDocument/hover", 1, 20, function(r) return r.contents ~= nil end)
local shown = hover and hover.contents and hover.contents.value or ""
check(shown:find("Function FormatPrice(amount)", 1, true), "hover: " .. shown)
check(shown:find("default.asp:1 -> inc/shop.inc:1 -> inc/lib/money.inc", 1, true), "hover: " .. shown)
finish(nil)
