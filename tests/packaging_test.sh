#!/usr/bin/env bash
# Builds both packages (the native preset's Debian package, the windows
# preset's ZIP) and checks them: file names and contents against lists written
# here, the version of the top CMakeLists.txt wherever it shows, and the
# executables' format, architecture and static linking. Then each is used as
# a new user would: the ZIP unzipped into an empty folder with skelv.exe run
# there under Wine, the Debian package's skelv and manual page run from it.
# Needs both presets built (scripts/test.sh builds them first).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -nE 's/^project\(skelvane VERSION ([0-9]+\.[0-9]+\.[0-9]+) .*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
  echo "packaging_test: no project(skelvane VERSION X.Y.Z ...) in CMakeLists.txt" >&2
  exit 1
fi
zip=build/windows/skelvane-$version-win64.zip
deb=build/native/skelv_${version}_amd64.deb
rm -f "$zip" "$deb"
cmake --build --preset native --target package >/dev/null
cmake --build --preset windows --target package >/dev/null

work=$(mktemp -d)
export WINEPREFIX=${WINEPREFIX:-$PWD/build/windows/wineprefix} WINEDEBUG=-all
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" != "$3" ]; then
    printf 'FAILED %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
# The string resources (version, dialog texts) are UTF-16: VALUE is the line
# after NAME among them.
resource() { strings -el "$1" | grep -A1 -x "$2" | sed -n 2p; }

echo "== $zip"
check "ZIP contents" "LICENSE.txt
README.txt
factory.qrs
skelv.exe
skelvane.exe" "$(unzip -Z1 "$zip" | sort)"
mkdir "$work/zip"
unzip -q "$zip" -d "$work/zip"
for exe in skelvane skelv; do
  file=$work/zip/$exe.exe
  check "$exe.exe format" "file format pei-x86-64
architecture: i386:x86-64" "$(x86_64-w64-mingw32-objdump -f "$file" | grep -oE 'file format .*|architecture: [^,]*')"
  # Static: none of the MinGW runtime DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1).
  check "$exe.exe imports no MinGW DLL" "" \
    "$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/.*DLL Name: //p' | grep -i '^lib' || true)"
  check "$exe.exe version resource" "$version $version $exe.exe" \
    "$(resource "$file" FileVersion) $(resource "$file" ProductVersion) $(resource "$file" OriginalFilename)"
done
about=$(printf '%d.%02d' "$(cut -d. -f1 <<<"$version")" "$(cut -d. -f2 <<<"$version")")
check "About box text" "Tavrenlok's Skelvane (Ver $about)" \
  "$(strings -el "$work/zip/skelvane.exe" | grep -x "Tavrenlok's Skelvane.*")"
check "README.txt title, Windows line ends" "Skelvane $version - the Tavrenlok 4860 Scanner Manager"$'\r' \
  "$(head -1 "$work/zip/README.txt")"

# Started apart, as wine-ctest.sh does: Wine's background processes would keep
# the pipe of a command substitution open.
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
wineboot >/dev/null 2>&1 </dev/null
check "skelv.exe --version" "skelv $version" "$(cd "$work/zip" && wine skelv.exe --version)"
(cd "$work/zip" && wine skelv.exe report factory.qrs) >"$work/report.txt"
if ! cmp "$work/report.txt" tests/report/factory_report.txt; then
  echo "FAILED skelv.exe report factory.qrs: not the factory report"
  failures=$((failures + 1))
fi

echo "== $deb"
check "Debian control fields" "Package: skelv
Version: $version
Architecture: amd64
Section: utils" "$(dpkg-deb -f "$deb" Package Version Architecture Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6; do
  [[ $depends == *"$library "* ]] || check "Depends names $library" "$library" "$depends"
done
check "Debian package files" "-rwxr-xr-x root/root ./usr/bin/skelv
-rw-r--r-- root/root ./usr/share/doc/skelv/README
-rw-r--r-- root/root ./usr/share/doc/skelv/copyright
-rw-r--r-- root/root ./usr/share/man/man1/skelv.1.gz" \
  "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort -k3)"
dpkg-deb -x "$deb" "$work/deb"
skelv=$work/deb/usr/bin/skelv
check "skelv format" "ELF 64-bit LSB pie executable, x86-64, stripped" \
  "$(file -b "$skelv" | cut -d, -f1,2 | tr -d '\n'), $(file -b "$skelv" | grep -o '[a-z]*stripped')"
check "skelv --version" "skelv $version" "$("$skelv" --version)"
manual=$work/deb/usr/share/man/man1/skelv.1.gz
check "manual page warnings" "" "$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)"
rendered=$(MANWIDTH=80 man -l "$manual" 2>/dev/null)
# Every command that --help lists has its entry under COMMANDS.
for command in $("$skelv" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }'); do
  grep -qE "^       $command( |$)" <<<"$rendered" || check "manual page entry for $command" "$command" ""
done

if [ "$failures" -ne 0 ]; then
  echo "packaging_test: $failures checks failed"
  exit 1
fi
echo "packaging_test: both packages of version $version passed"
