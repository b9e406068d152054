#!/usr/bin/env bash
# Builds the Debian package of this build, unpacks it into a scratch root (dpkg-deb -x, no root
# needed) and checks it as a fresh Debian 12 would receive it: every file in its place, a valid
# menu entry, a Depends entry for every library the shipped programs and libraries link and for
# what they load at run time, and the unpacked program starting over a fresh register with its
# own libraries and documents taken from the unpacked root, never from the build folder.
# Usage: check_deb_package.sh CPACK BUILD_DIR PROBE BIN_DIR LIBRARY_DIR DOCUMENT_DIR VERSION
set -uo pipefail
cpack=$1 build=$2 probe=$3 bindir=$4 libdir=$5 docdir=$6 version=$7

# The folder's real name: the program names its files by the real path of its own folder.
work=$(readlink -f "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- The package -----------------------------------------------------------------------------
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
debs=("$work"/package/tesaro_"$version"_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  ls -l "$work/package" >&2
  echo "FAIL: expected one tesaro_${version}_<arch>.deb" >&2
  exit 1
fi
deb=${debs[0]}
root="$work/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x could not unpack $deb" >&2; exit 1; }
echo "== $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Architecture Depends

[[ $(dpkg-deb -f "$deb" Package) == tesaro ]] || fail "the package is not named tesaro"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "the package's version is not the project's $version"
for field in Maintainer Description; do
  [[ -n $(dpkg-deb -f "$deb" "$field") ]] || fail "the package has no $field"
done

# --- Its files -------------------------------------------------------------------------------
usr="$root/usr"
for program in tesaro tesaro-admin; do
  [[ -f "$usr/$bindir/$program" && -x "$usr/$bindir/$program" ]] || fail "no program $bindir/$program"
done
for file in "$libdir/libVlmLogin.so" "$libdir/libPersInfoLib.so" "$docdir/Tesaro_card.rtf" "$docdir/Tesaro.pdf" \
  share/applications/tesaro.desktop share/icons/hicolor/scalable/apps/tesaro.svg share/man/man1/tesaro-admin.1; do
  [[ -f "$usr/$file" && -s "$usr/$file" ]] || fail "no file usr/$file"
done
# The program folder holds the programs only; the libraries are the program's own, out of the
# system's library search.
extra=$(find "$usr/$bindir" -mindepth 1 ! -name tesaro ! -name tesaro-admin)
[[ -z $extra ]] || fail "more than the programs in usr/$bindir: $extra"
case "$libdir" in
  lib | lib/*-linux-gnu | lib64) fail "the libraries are in a system library folder usr/$libdir" ;;
esac
# Installed for every user of the machine: nothing only its owner (the builder) could read.
unreadable=$(dpkg-deb -c "$deb" | awk '$1 !~ /^[-dl]r..r..r/ { print }')
[[ -z $unreadable ]] || fail "entries of the package other users cannot read: $unreadable"
echo "== files"
(cd "$root" && find . -type f | sort)

# --- The menu entry --------------------------------------------------------------------------
desktop="$usr/share/applications/tesaro.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses tesaro.desktop"
else
  fail "desktop-file-validate is missing (scripts/deps.sh installs desktop-file-utils)"
fi
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Name) == Tesaro ]] || fail "the menu entry's Name is not Tesaro"
[[ $(entry Exec) == tesaro ]] || fail "the menu entry does not start tesaro"
[[ $(entry Categories) == *Office\;* ]] || fail "the menu entry is not in the Office category"
entry Comment | grep -qP '\p{Cyrillic}' || fail "the menu entry's Comment is not in Bulgarian"
[[ -f "$usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ]] || fail "no icon named by the menu entry"

# --- Its dependencies ------------------------------------------------------------------------
mapfile -t depends < <(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/:any//; s/[[:space:]]//g' | grep -v '^$')
declare -A depended
for name in "${depends[@]}"; do depended[$name]=1; done

# The package that holds a file, trying the names a merged /usr gives the same file.
owner() {
  local path=$1 candidate
  for candidate in "$path" "/usr$path" "${path#/usr}" "$(readlink -f "$path")"; do
    [[ -n $candidate ]] || continue
    local found
    if found=$(dpkg -S "$candidate" 2>/dev/null | head -1); then
      echo "${found%%:*}"
      return 0
    fi
  done
  return 1
}
needs() {  # what: the file or pattern; why: what needs it
  local package=$1 why=$2
  [[ -n ${depended[$package]:-} ]] || fail "$why comes from $package, which is not in Depends"
}

while IFS= read -r -d '' elf; do
  file -b "$elf" | grep -q '^ELF' || continue
  shown=${elf#"$root"}
  runpath=$(readelf -d "$elf" | grep -E 'RPATH|RUNPATH' || true)
  [[ -z $runpath ]] || fail "$shown keeps a library search path: $runpath"
  lddout=$(ldd "$elf" 2>&1)
  for lib in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    # "libX.so => /path (address)", or "/path/ld-linux….so.2 (address)" for the loader itself.
    path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 } $1 ~ "/" lib "$" { print $1 }' <<<"$lddout" | head -1)
    if [[ -z $path || $path == "not" ]]; then
      fail "$shown needs $lib, which this system cannot find"
      continue
    fi
    if package=$(owner "$path"); then
      needs "$package" "$lib (needed by $shown)"
    else
      fail "$lib (needed by $shown) at $path belongs to no Debian package"
    fi
  done
done < <(find "$root" -type f -print0)

# What is loaded at run time, which no linker entry shows.
for loaded in '*/firebird/3.0/plugins/libEngine12.so' '*/qt6/plugins/platforms/libqxcb.so' '*/qt6/translations/qtbase_bg.qm' \
  '/etc/firebird/3.0/firebird.conf'; do
  if package=$(dpkg -S "$loaded" 2>/dev/null | head -1); then
    needs "${package%%:*}" "$loaded"
  else
    fail "no installed package holds $loaded: the check cannot tell its package"
  fi
done

# --- The unpacked programs -------------------------------------------------------------------
home="$work/home"
mkdir -p "$home"
# Started from the menu, the program runs as an ordinary user: a test run as root starts it as
# nobody, who may read the installed files and nothing else of the machine's Firebird.
as_user=()
if [[ $(id -u) -eq 0 ]] && command -v runuser >/dev/null && id nobody >/dev/null 2>&1; then
  as_user=(runuser -u nobody --)
  chmod 755 "$work"
  chown nobody "$home"
fi
# Nothing of the build folder or the test run may point the programs at other copies.
run() {
  "${as_user[@]}" env -u LD_LIBRARY_PATH -u TESARO_LOGIN_LIBRARY -u TESARO_POPULATION_LIBRARY -u TESARO_POPULATION_DB \
    HOME="$home" USERPROFILE="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    TESARO_LOGIN_CONFIG="$home/login.ini" QT_QPA_PLATFORM=offscreen "$@"
}
admin="$usr/$bindir/tesaro-admin"
if ! help=$(run "$admin" --help 2>&1) || [[ $help != *"Употреба: tesaro-admin"* ]]; then
  fail "the unpacked tesaro-admin --help: $help"
fi

register="$home/register.fdb"
if ! out=$(run "$admin" init-db "$register" --municipality "Община Проба" 2>&1); then
  fail "the unpacked tesaro-admin init-db: $out"
fi
if ! out=$(printf 'install-password\n' | run "$admin" user add installer --rights USER1 --register "$register" \
  --config "$home/login.ini" --password-stdin 2>&1); then
  fail "the unpacked tesaro-admin user add: $out"
fi

# LD_DEBUG=files names every library the loader maps, the ones loaded by name included.
out=$(run LD_DEBUG=files TESARO_LOGIN_USER=installer TESARO_LOGIN_PASSWORD=install-password TESARO_QUIT_WHEN_SHOWN=1 \
  timeout 120 "$usr/$bindir/tesaro" 2>&1)
status=$?
if [[ $status -ne 0 ]] || ! grep -q "main window shown" <<<"$out"; then
  grep -v '^ *[0-9]*:' <<<"$out" >&2
  fail "the unpacked tesaro did not reach its main window (exit $status)"
fi
grep "main window shown" <<<"$out"
grep -q "file=$usr/$libdir/libVlmLogin.so " <<<"$out" ||
  fail "the unpacked tesaro did not load its own login library usr/$libdir/libVlmLogin.so"
from_build=$(grep -F "file=$build/" <<<"$out" || true)
[[ -z $from_build ]] || fail "the unpacked tesaro loaded files of the build folder: $from_build"

# Every file of the program's own, as the program resolves it, when it runs from the unpacked root.
cp "$probe" "$usr/$bindir/tesaro-program-files-probe"
mapfile -t resolved < <(run "$usr/$bindir/tesaro-program-files-probe")
expected=("$usr/$libdir/libVlmLogin.so" "$usr/$libdir/libPersInfoLib.so" "$usr/$docdir/Tesaro_card.rtf"
  "$usr/$docdir/Tesaro.pdf")
for i in "${!expected[@]}"; do
  [[ ${resolved[$i]:-} == "${expected[$i]}" ]] ||
    fail "the unpacked program takes $(basename "${expected[$i]}") from '${resolved[$i]:-}', not ${expected[$i]}"
done

if ((failures > 0)); then
  echo "$failures check(s) of the package failed" >&2
  exit 1
fi
echo "the package passed every check"
