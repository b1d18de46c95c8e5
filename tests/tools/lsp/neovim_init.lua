-- Drives scenario_tool lsp from a real editor: once the source given on the command line is
-- loaded, the server is started on it, its diagnostics awaited and written one a line to
-- $LSP_TEST_OUT as LINE:COLUMN:SEVERITY:MESSAGE (line and column from 1); then the editor quits.
local out = os.getenv("LSP_TEST_OUT")
local tool = os.getenv("SCENARIO_TOOL")

local function finish(lines, status)
  local f = assert(io.open(out, "w"))
  for _, line in ipairs(lines) do f:write(line, "\n") end
  f:close()
  vim.cmd((status == 0) and "qa!" or "cq!")
end

-- The files named on the command line are loaded after this script: start once they are.
local function run()
  local buffer = vim.api.nvim_get_current_buf()
  local client = vim.lsp.start_client({
    name = "scenario_tool",
    cmd = { tool, "lsp" },
    root_dir = vim.fn.expand("%:p:h"),
  })
  if not client then finish({ "the server did not start" }, 1) end
  vim.lsp.buf_attach_client(buffer, client)

  local arrived = vim.wait(30000, function() return #vim.diagnostic.get(buffer) > 0 end, 50)
  if not arrived then finish({ "no diagnostics within 30 s" }, 1) end

  local lines = {}
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    table.insert(lines, string.format("%d:%d:%d:%s", d.lnum + 1, d.col + 1, d.severity, d.message))
  end
  table.sort(lines)
  vim.lsp.stop_client(client)
  finish(lines, 0)
end

vim.api.nvim_create_autocmd("VimEnter", { callback = run })
