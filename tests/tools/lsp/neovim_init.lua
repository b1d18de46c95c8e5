-- Drives scenario_tool lsp from a real editor, switched on as a user does: the snippet shipped in
-- editors/nvim ($EDITOR_SNIPPET) sets the file type of the source given on the command line and
-- starts the server on it; its diagnostics are awaited and written one a line to $LSP_TEST_OUT as
-- LINE:COLUMN:SEVERITY:MESSAGE (line and column from 1); then the editor quits.
local out = os.getenv("LSP_TEST_OUT")
local tool = os.getenv("SCENARIO_TOOL")

-- Before the file is read, so that its autocommands see it loaded.
local scenario = dofile(os.getenv("EDITOR_SNIPPET"))
scenario.setup({ cmd = { tool, "lsp" } })

local function finish(lines, status)
  local f = assert(io.open(out, "w"))
  for _, line in ipairs(lines) do f:write(line, "\n") end
  f:close()
  vim.cmd((status == 0) and "qa!" or "cq!")
end

-- The files named on the command line are loaded after this script: start once they are.
local function run()
  local buffer = vim.api.nvim_get_current_buf()
  if vim.bo[buffer].filetype ~= "scenario" then
    finish({ "the snippet did not set the file type: '" .. vim.bo[buffer].filetype .. "'" }, 1)
  end
  local started = vim.wait(10000, function() return #vim.lsp.get_active_clients() > 0 end, 50)
  if not started then finish({ "the snippet started no server" }, 1) end

  local arrived = vim.wait(30000, function() return #vim.diagnostic.get(buffer) > 0 end, 50)
  if not arrived then finish({ "no diagnostics within 30 s" }, 1) end

  local lines = {}
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    table.insert(lines, string.format("%d:%d:%d:%s", d.lnum + 1, d.col + 1, d.severity, d.message))
  end
  table.sort(lines)
  vim.lsp.stop_client(vim.lsp.get_active_clients())
  finish(lines, 0)
end

vim.api.nvim_create_autocmd("VimEnter", { callback = run })
