-- The scenario sources in Neovim 0.7 and later: the file type of ROUTE_linea.txt and
-- ROUTE_TRAIN-.txt, and `scenario_tool lsp` started for each buffer of them. The colours come from
-- editors/vim (put it on 'runtimepath', editors/README.md). Load this file from init.lua
-- (dofile("/path/to/editors/nvim/scenario.lua")) or copy it there; call it again with
-- { cmd = { "/other/scenario_tool", "lsp" } } through the returned setup().
local M = {}

local defaults = { cmd = { "scenario_tool", "lsp" } }

-- vim.lsp.start came with 0.8; on 0.7 one client is started and attached to each buffer.
local function start_server(buffer, config)
  local root = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(buffer), ":p:h")
  local settings = { name = "scenario_tool", cmd = config.cmd, root_dir = root }
  if vim.lsp.start then
    vim.lsp.start(settings, { bufnr = buffer })
    return
  end
  M.client_id = M.client_id or vim.lsp.start_client(settings)
  if M.client_id then
    vim.lsp.buf_attach_client(buffer, M.client_id)
  end
end

function M.setup(options)
  local config = vim.tbl_extend("force", defaults, options or {})
  local group = vim.api.nvim_create_augroup("scenario_sources", { clear = true })
  vim.api.nvim_create_autocmd({ "BufRead", "BufNewFile" }, {
    group = group,
    pattern = { "*_linea.txt", "*-.txt" },
    callback = function()
      vim.bo.filetype = "scenario"
    end,
  })
  vim.api.nvim_create_autocmd("FileType", {
    group = group,
    pattern = "scenario",
    callback = function(event)
      start_server(event.buf, config)
    end,
  })
end

M.setup()
return M
