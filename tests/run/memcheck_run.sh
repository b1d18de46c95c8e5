#!/usr/bin/env bash
# A complete generator run under memcheck: any invalid access or definite leak fails the test.
set -euo pipefail
valgrind="$1"
exe="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/generatore"
env -u DISPLAY "$valgrind" --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
  --quiet "$work/generatore"
ls "$work"/Valdora_Lusa_24863.dat >/dev/null
echo "memcheck clean"
