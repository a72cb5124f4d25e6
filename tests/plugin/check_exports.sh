#!/usr/bin/env bash
# The plug-in's dynamic symbol table and dependencies: the entry points under their plain names,
# the solver class, no other C-linkage symbol, and none of the libraries it binds lazily.
set -euo pipefail
plugin=$1
fail() { echo "FAIL: $*"; exit 1; }

defined=$(nm -D --defined-only "$plugin" | awk '{print $3}')
for name in zoldll_corvane_identity zoldll_corvane_init zoldll_corvane_interface \
            zoldll_corvane_unload zoldll_corvane_version _force_jit_corvane; do
  grep -qx "$name" <<<"$defined" || fail "$name is not exported"
done

# C++ symbols are mangled (_Z...); anything else is a C-linkage export.
plain=$(grep -v '^_Z' <<<"$defined" | grep -v -x -E 'zoldll_corvane_(identity|init|interface|unload|version)|_force_jit_corvane' || true)
[[ -z "$plain" ]] || fail "unexpected C-linkage exports: $plain"

demangled=$(nm -DC --defined-only "$plugin")
for member in 'ZOLXpress::ZOLXpress()' 'ZOLXpress::CleanUp()' 'ZOLXpress::InitializeXpress()' \
              'ZOLXpress::iterate(' 'vtable for ZOLXpress'; do
  grep -qF "$member" <<<"$demangled" || fail "$member is not exported"
done

needed=$(readelf -d "$plugin" | grep NEEDED || true)
for library in libxprs libvrimcore libvrimutils; do
  ! grep -q "$library" <<<"$needed" || fail "$library is linked, not bound lazily"
done
echo "exports and dependencies as expected"
