#!/usr/bin/env bash
# Installs the built project into a temporary prefix, then builds dynaview's C example as an
# outside program against the installed library, once through find_package(dynaview) and
# once through pkg-config, and runs both. Checks the installed tree on the way.
#   install_and_build_against.sh <build dir> <source dir>
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
for tool in cc pkg-config ninja; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

# The library under its versioned name, the linker's name pointing at it, the headers.
lib=$(find "$prefix" -name 'libdynaview.so.*.*.*' | head -n 1)
[ -n "$lib" ] || fail "no versioned libdynaview.so.X.Y.Z installed"
libdir=$(dirname "$lib")
soname=$(objdump -p "$lib" | awk '/SONAME/ {print $2}')
[[ "$soname" =~ ^libdynaview\.so\.[0-9]+$ ]] || fail "libdynaview's SONAME is \"$soname\""
[ -L "$libdir/$soname" ] && [ -L "$libdir/libdynaview.so" ] || fail "the links to libdynaview are missing"
[ -e "$libdir/libplotbase.so.1" ] || fail "libplotbase.so.1 is not beside libdynaview"
[ -f "$prefix/include/dynaview/dynaview.h" ] || fail "dynaview.h is not installed"
[ -f "$prefix/include/plotbase/plotbase.h" ] || fail "plotbase's headers are not installed"

# The installed programs find the installed libraries wherever the prefix is.
for program in wavix wavix-cli rfx410-sim dynaview-demo dynaview-feed; do
  if [ -e "$prefix/bin/$program" ]; then
    if env -u LD_LIBRARY_PATH ldd "$prefix/bin/$program" | grep -q "not found"; then
      ldd "$prefix/bin/$program"; fail "$program does not find its libraries"
    fi
  fi
done

# Each installed program has its man page; the desktop entries start installed programs
# and name installed icons.
for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  if [ -f "$source/packaging/man/$name.1.scd" ] && command -v scdoc >/dev/null; then
    gzip -t "$prefix/share/man/man1/$name.1.gz" 2>/dev/null || fail "no man page for $name"
  fi
done
for entry in "$prefix"/share/applications/*.desktop; do
  [ -e "$entry" ] || continue
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -x "$prefix/bin/$exec_name" ] || fail "$(basename "$entry") starts $exec_name, which is not installed"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$entry") names icon $icon, not installed"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "$(basename "$entry") is not a valid desktop entry"
  fi
done
[ -e "$prefix/share/applications/wavix.desktop" ] || [ ! -e "$prefix/bin/wavix" ] || fail "wavix has no desktop entry"

example="$source/dynaview/examples/live_display.c"
export QT_QPA_PLATFORM=offscreen
run() {  # run <program>: the example shows its display for 300 ms and ends
  local out
  out=$(env -u LD_LIBRARY_PATH timeout 30 "$1" 300 2>&1) || { echo "$out"; fail "$1 failed"; }
}

# 1. find_package(dynaview)
cmake -S "$source/tests/install/consumer" -B "$work/with-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DTANK_DISPLAY_SOURCE="$example" >"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; fail "find_package(dynaview)"; }
cmake --build "$work/with-cmake" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "building with find_package"; }
run "$work/with-cmake/tank_display"

# 2. pkg-config
export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion dynaview)" = "$(basename "$lib" | sed 's/^libdynaview\.so\.//')" ] ||
  fail "pkg-config gives version $(pkg-config --modversion dynaview)"
pkg-config --exists plotbase || fail "plotbase.pc is not installed"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror -o "$work/tank_pkg" "$example" $(pkg-config --cflags --libs dynaview) -lm \
  -Wl,-rpath,"$(pkg-config --variable=libdir dynaview)" || fail "building with pkg-config"
run "$work/tank_pkg"
echo "PASS"
