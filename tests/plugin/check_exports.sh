#!/usr/bin/env bash
# The plug-in's dynamic symbol table and dependencies: exactly the exports of expected_exports.txt
# (the entry points under their plain names, the solver class with its public members and its
# bases, the client callback interfaces and their registration), and none of the libraries it
# binds lazily.
set -euo pipefail
plugin=$1
expected=$(dirname "$0")/expected_exports.txt
fail() { echo "FAIL: $*"; exit 1; }

exported=$(nm -DC --defined-only "$plugin" | sed -E 's/^[0-9a-f]+ [A-Za-z] //' | sort -u)
unexpected=$(comm -13 <(sort -u "$expected") <(echo "$exported"))
missing=$(comm -23 <(sort -u "$expected") <(echo "$exported"))
[[ -z "$missing" ]] || fail "not exported: $missing"
[[ -z "$unexpected" ]] || fail "exported beyond the list: $unexpected"

needed=$(readelf -d "$plugin" | grep NEEDED || true)
for library in libxprs libvrimcore libvrimutils; do
  ! grep -q "$library" <<<"$needed" || fail "$library is linked, not bound lazily"
done
echo "exports and dependencies as expected"
