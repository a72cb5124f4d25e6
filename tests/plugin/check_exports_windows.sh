#!/usr/bin/env bash
# The Windows plug-in's export and import tables: a 32-bit DLL that exports exactly the names of
# expected_exports.txt under g++'s names (the entry points under their plain names) and, for a
# program built with the platform's native compiler, the members under that compiler's decorated
# names: exactly those the native compiler imports for native_names_probe.cpp (Debian's clang for
# i686-pc-windows-msvc, its symbols listed by llvm-nm). A native name reaches the same code as its g++ name, except a
# constructor's, which has an entry of its own that returns the object. The DLL imports none of
# the libraries it binds at their first call.
set -euo pipefail
objdump=$1
plugin=$2
probe=$(dirname "$0")/native_names_probe.cpp
expected=$(dirname "$0")/expected_exports.txt
fail() { echo "FAIL: $*"; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clang --target=i686-pc-windows-msvc -std=c++17 -Wall -Werror -c "$probe" -o "$scratch/probe.obj"
native_list=$scratch/native_names.txt
llvm-nm --undefined-only "$scratch/probe.obj" | awk '{ print $NF }' | sed -n 's/^__imp_//p' |
  sort > "$native_list"
[[ -s "$native_list" ]] || fail "the probe names nothing"

headers=$("$objdump" -p "$plugin")
grep -q 'file format pei-i386' <<<"$headers" || fail "not a 32-bit (i386) PE file"

# "ordinal name" and "ordinal rva" pairs.
names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
        sed -nE 's/^\s*\[\s*([0-9]+)\] (.*)$/\1 \2/p')
addresses=$(sed -n '/Export Address Table -- Ordinal Base/,/^$/p' <<<"$headers" |
            sed -nE 's/^\s*\[\s*([0-9]+)\] \+base\[\s*[0-9]+\] ([0-9a-f]+) .*$/\1 \2/p')
[[ -n "$names" ]] || fail "no export table"
address_of() { awk -v o="$1" '$1 == o { print $2 }' <<<"$addresses"; }
ordinal_of() { awk -v n="$1" '{ o = $1; $1 = ""; sub(/^ /, ""); if ($0 == n) print o }' <<<"$names"; }

all=$(cut -d' ' -f2- <<<"$names" | sort)
native=$(grep '^?' <<<"$all" || true)
plain=$(grep -v '^?' <<<"$all" | c++filt | sort -u)

unexpected=$(comm -13 <(sort -u "$expected") <(echo "$plain"))
missing=$(comm -23 <(sort -u "$expected") <(echo "$plain"))
[[ -z "$missing" ]] || fail "not exported: $missing"
[[ -z "$unexpected" ]] || fail "exported beyond the list: $unexpected"

unexpected=$(comm -13 <(sort -u "$native_list") <(echo "$native"))
missing=$(comm -23 <(sort -u "$native_list") <(echo "$native"))
[[ -z "$missing" ]] || fail "not exported under its native name: $missing"
[[ -z "$unexpected" ]] || fail "native names beyond the native compiler's list: $unexpected"

# Each native name reaches the code of the g++ name of the same member (the same signature once
# both are written alike), except a constructor, whose native entry returns the object.
normalise() {
  sed -E 's/^.*__(thiscall|cdecl) //; s/\b(class|struct|enum) //g; s/ ([*&])/\1/g; s/\(void\)/()/'
}
mangled=$(grep '^_Z' <<<"$all" || true)
address_by_name=$(awk 'NR == FNR { rva[$1] = $2; next } { o = $1; $1 = ""; sub(/^ /, ""); print $0 "\t" rva[o] }' \
                    <(echo "$addresses") <(echo "$names"))
signatures_gnu=$(paste <(c++filt <<<"$mangled") <(echo "$mangled"))
signatures_native=$(paste <(echo "$native") \
  <(llvm-undname <<<"$native" | awk 'NR % 3 == 2' | normalise))
problems=$(awk -F'\t' '
  FILENAME == ARGV[1] { rva[$1] = $2; next }
  FILENAME == ARGV[2] { code[$1] = code[$1] " " rva[$2]; next }
  {
    if (!($2 in code)) { print $1 " (" $2 ") has no g++ counterpart"; next }
    same = index(code[$2] " ", " " rva[$1] " ") > 0
    if ($1 ~ /^\?\?0/ && same) print "native constructor " $1 " is g++'"'"'s, which does not return the object"
    if ($1 !~ /^\?\?0/ && !same) print $1 " does not reach the code of " $2
  }' <(echo "$address_by_name") <(echo "$signatures_gnu") <(echo "$signatures_native"))
[[ -z "$problems" ]] || fail "$problems"

# Members are thiscall, as native callers expect: the object in ecx and the stack arguments popped
# by the member itself (a cdecl member would return with a plain ret).
for member in __ZN9ZOLXpress11setIntParamEPKci:0x8 __ZNK9ZOLXpress11inqIntParamEPKc:0x4 \
              __ZN9ZOLXpress7iterateEP11VarProviderP11EqnProviderP13DerivProviderP11ObjProviderPiS8_S8_:0x1c \
              __ZN11RTMILSolver14setStringParamEPKcS1_:0x8; do
  symbol=${member%:*}
  returns=$("$objdump" -d --disassemble="$symbol" "$plugin" | grep -E '\sret' || true)
  [[ -n "$returns" ]] || fail "$symbol is not in the DLL"
  ! grep -qvE "ret +\\\$${member##*:}\$" <<<"$returns" || fail "$symbol does not pop its arguments: $returns"
done

imports=$(grep 'DLL Name' <<<"$headers")
for library in xprs.dll vrimcore.dll vrimutils.dll; do
  ! grep -qi "$library" <<<"$imports" || fail "$library is imported, not bound at its first call"
done
echo "exports and imports as expected: $(wc -l <<<"$plain") g++ names, $(wc -l <<<"$native") native names"
