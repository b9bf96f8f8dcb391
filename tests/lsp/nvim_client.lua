-- Neovim's own LSP client against `vrt lsp`: opens a member of the example project, expects the
-- diagnostics `vrt check` prints for it, edits a line and sees them change, and applies a
-- suppression code action.
-- Environment: VRT (the executable), MEMBER (a member file of a copy of the example project),
-- EXPECTED (vrt check --format json of that project).
local function fail(message)
  io.stderr:write("FAIL: " .. message .. "\n")
  vim.cmd("cquit 1")
end

local ok, err = pcall(function()
  local vrt, member = os.getenv("VRT"), os.getenv("MEMBER")
  local expected = {}
  for _, f in ipairs(vim.fn.json_decode(os.getenv("EXPECTED"))) do
    if f.file == member then
      table.insert(expected, string.format("%d %s %s", f.line, f.rule, f.message))
    end
  end

  vim.o.fileencodings = "cp932"
  vim.cmd("edit " .. vim.fn.fnameescape(member))
  local buffer = vim.api.nvim_get_current_buf()

  local published = nil -- the last diagnostics as the server sent them
  local client = vim.lsp.start_client({
    name = "vetrin",
    cmd = { vrt, "lsp" },
    root_dir = vim.fn.fnamemodify(member, ":h"),
    init_options = { language = "ja" },
    handlers = {
      ["textDocument/publishDiagnostics"] = function(e, result, ctx, config)
        published = result
        vim.lsp.diagnostic.on_publish_diagnostics(e, result, ctx, config)
      end,
    },
  })
  if not client then fail("the client did not start") end
  vim.lsp.buf_attach_client(buffer, client)

  local function diagnostics_where(test, what)
    if not vim.wait(20000, function() return published ~= nil and test(published.diagnostics) end, 20) then
      fail("no diagnostics " .. what .. ": " .. vim.inspect(published))
    end
    return published.diagnostics
  end
  local function lines_of(list)
    local lines = {}
    for _, d in ipairs(list) do
      table.insert(lines, string.format("%d %s %s", d.range.start.line + 1, d.code, d.message))
    end
    return lines
  end
  local function has(list, text)
    for _, d in ipairs(list) do
      if d.message:find(text, 1, true) then return d end
    end
  end

  -- The diagnostics of the file are vrt check's findings for it.
  local first = diagnostics_where(function(d) return #d > 0 end, "on open")
  if not vim.deep_equal(lines_of(first), expected) then
    fail("diagnostics differ from vrt check:\n" .. table.concat(lines_of(first), "\n") ..
      "\nexpected:\n" .. table.concat(expected, "\n"))
  end
  -- Neovim shows them: its own diagnostic list holds as many.
  if #vim.diagnostic.get(buffer) ~= #expected then fail("Neovim holds other diagnostics") end

  -- An edited line: a new unused local appears where it was written.
  local at = nil
  for i, line in ipairs(vim.api.nvim_buf_get_lines(buffer, 0, -1, false)) do
    if line == "    Dim message As String" then at = i - 1 end
  end
  if not at then fail("the line to edit is missing") end
  vim.api.nvim_buf_set_lines(buffer, at, at + 1, false, { "    Dim 金額 As String" })
  local edited = diagnostics_where(function(d) return has(d, "金額") end, "after the edit")
  local added = has(edited, "金額")
  if added.range.start.line ~= at or has(edited, "message は") then
    fail("the edit is not reflected: " .. vim.inspect(lines_of(edited)))
  end

  -- The suppression code action for it, applied as the user would.
  local answers = vim.lsp.buf_request_sync(buffer, "textDocument/codeAction", {
    textDocument = { uri = vim.uri_from_bufnr(buffer) },
    range = added.range,
    context = { diagnostics = { added } },
  }, 10000)
  local chosen = nil
  for _, answer in pairs(answers or {}) do
    for _, action in ipairs(answer.result or {}) do
      if action.title:find("この行で", 1, true) then chosen = action end
    end
  end
  if not chosen then fail("no suppression action: " .. vim.inspect(answers)) end
  vim.lsp.util.apply_workspace_edit(chosen.edit, "utf-16")
  local suppressed = vim.api.nvim_buf_get_lines(buffer, at, at + 1, false)[1]
  if not suppressed:find("vetrin:ignore TVBUnusedLocalVariables", 1, true) then
    fail("the action did not insert the comment: " .. suppressed)
  end
  diagnostics_where(function(d) return not has(d, "金額") and #d == #edited - 1 end,
    "without the suppressed finding")
  vim.lsp.stop_client(client)
end)
if not ok then fail(tostring(err)) end
io.stderr:write("nvim: the language server passed\n")
vim.cmd("qall!")
