#!/usr/bin/env bash
# End to end with a real client: headless Neovim, set up with the snippet of editors/nvim, opens a
# line source with a misspelt keyword, starts `scenario_tool lsp` on it and writes down the
# diagnostics it received.
#   neovim_test.sh SCENARIO_TOOL ARTEFACTS_DIR
# Exit 77 (skipped) only when nvim is not installed (scripts/install-deps installs it).
set -euo pipefail
tool=$1
artefacts=$2
here=$(cd "$(dirname "$0")" && pwd)

if ! command -v nvim >/dev/null; then
  echo "skipped: nvim is not installed (apt-get install -y neovim, or scripts/install-deps)"
  exit 77
fi

mkdir -p "$artefacts"
work=$(mktemp -d "$artefacts/neovim.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$tool" new -o "$work/src" Rt 123 >/dev/null
sed -i 's/^pendenza,  1500/pendnza,  1500/' "$work/src/Rt_linea.txt"
line=$(grep -n '^pendnza' "$work/src/Rt_linea.txt" | cut -d: -f1)

# Neovim keeps its log and state under these: the test's own folder, not the user's home.
export XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data
export XDG_CONFIG_HOME=$work/config
export SCENARIO_TOOL=$tool LSP_TEST_OUT=$work/diagnostics.txt
export EDITOR_SNIPPET=$here/../../../editors/nvim/scenario.lua
timeout 120 nvim --headless --clean -u "$here/neovim_init.lua" "$work/src/Rt_linea.txt" \
  </dev/null >"$work/nvim.out" 2>&1 || {
  echo "nvim failed:"; cat "$work/nvim.out"; cat "$LSP_TEST_OUT" 2>/dev/null; exit 1
}

expected="$line:1:1:error: \"pendnza\" matches no record keyword; the record is dropped (did you mean \"pendenza\"?) (scenario_tool explain unknown-keyword)"
actual=$(cat "$LSP_TEST_OUT")
if [ "$actual" != "$expected" ]; then
  echo "expected: $expected"
  echo "actual:   $actual"
  exit 1
fi
echo "nvim received: $actual"
