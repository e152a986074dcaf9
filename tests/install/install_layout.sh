#!/usr/bin/env bash
# Installs the build into a fresh prefix and packs it with CPack, and checks
# that both give the game's layout: configurator, language files and the
# configurator's texts in cstrike/qor, uninstaller in cstrike, nothing else.
# Usage: install_layout.sh BUILD_FOLDER SOURCE_FOLDER [EXE_SUFFIX]
# With the suffix .exe (the Windows build) the archive is a ZIP.
set -euo pipefail
build=$1
source=$2
exe=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

texts=(config-README.txt config-LIESMICH.txt)
expected=("cstrike/uninstaller$exe" "cstrike/qor/config$exe")
for file in "${texts[@]}"; do
    expected+=("cstrike/qor/$file")
done
if [ -d "$source/config/setup/languages" ]; then
    while IFS= read -r file; do
        expected+=("cstrike/qor/$file")
    done < <(cd "$source/config/setup/languages" && find . -maxdepth 1 -type f ! -name CMakeLists.txt -printf '%P\n')
fi
want=$(printf '%s\n' "${expected[@]}" | sort)

cmake --install "$build" --prefix "$work/prefix" >/dev/null
got=$(cd "$work/prefix" && find . -type f -printf '%P\n' | sort)
[ "$got" = "$want" ] || fail "cmake --install gave
$got
instead of
$want"
for program in "cstrike/uninstaller$exe" "cstrike/qor/config$exe"; do
    [ -x "$work/prefix/$program" ] || fail "$program is not executable"
done
if [ -d "$source/config/setup/languages" ]; then
    for file in "$source/config/setup/languages"/*; do
        [ "$(basename "$file")" = CMakeLists.txt ] && continue
        cmp -s "$file" "$work/prefix/cstrike/qor/$(basename "$file")" || fail "$(basename "$file") was not copied unchanged"
    done
fi
for file in "${texts[@]}"; do
    cmp -s "$source/docs/package/$file" "$work/prefix/cstrike/qor/$file" || fail "$file was not copied unchanged"
done
echo "ok: cmake --install layout"

if [ "$exe" = .exe ]; then
    generator=ZIP
    list() { unzip -Z1 "$1"; }
    extract() { unzip -p "$1" "$2"; }
else
    generator=TGZ
    list() { tar -tzf "$1"; }
    extract() { tar -xzOf "$1" "$2" 2>/dev/null || tar -xzOf "$1" "./$2"; }
fi
(cd "$work" && cpack -G "$generator" --config "$build/CPackConfig.cmake" -B "$work/pack" >/dev/null)
archive=$(find "$work/pack" -maxdepth 1 -name '*.zip' -o -maxdepth 1 -name '*.tar.gz' | head -n 1)
[ -n "$archive" ] || fail "cpack made no $generator archive"
got=$(list "$archive" | grep -v '/$' | sed 's|^\./||' | sort)
[ "$got" = "$want" ] || fail "the archive holds
$got
instead of
$want"
for file in "${texts[@]}"; do
    extract "$archive" "cstrike/qor/$file" | cmp -s "$source/docs/package/$file" - \
        || fail "the archive's $file differs from docs/package/$file"
done
echo "ok: cpack archive layout"
echo "PASS"
