#!/usr/bin/env bash
# The Windows plug-in's export and import tables: a 32-bit DLL exporting the entry points under
# their plain names, and importing none of the libraries it binds at their first call.
set -euo pipefail
objdump=$1
plugin=$2
fail() { echo "FAIL: $*"; exit 1; }

headers=$("$objdump" -p "$plugin")
grep -q 'file format pei-i386' <<<"$headers" || fail "not a 32-bit (i386) PE file"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers")
for name in zoldll_corvane_identity zoldll_corvane_init zoldll_corvane_interface \
            zoldll_corvane_unload zoldll_corvane_version _force_jit_corvane; do
  grep -qE "\] $name\$" <<<"$exports" || fail "$name is not exported under its plain name"
done
grep -qE '\] _ZN9ZOLXpress' <<<"$exports" || fail "the solver class is not exported"
imports=$(grep 'DLL Name' <<<"$headers")
for library in xprs.dll vrimcore.dll vrimutils.dll; do
  ! grep -qi "$library" <<<"$imports" || fail "$library is imported, not bound at its first call"
done
echo "exports and imports as expected"
