#!/usr/bin/env bash
# Builds the packages (the native preset's Debian package, the windows
# preset's ZIP and installer) and checks them: file names and contents against
# lists written here, the version of the top CMakeLists.txt wherever it shows,
# and the executables' format, architecture and static linking. Then each is
# used as a new user would: the ZIP unzipped into an empty folder with
# skelv.exe run there under Wine; the installer installed silently into a new
# Wine prefix, a settings file started through its file type, upgraded by a
# higher version and removed; the Debian package's skelv and manual page run
# from it.
# Needs both presets built and an X display (scripts/test.sh builds them
# first and runs this on Xvfb).
set -euo pipefail
: "${DISPLAY:?packaging_test: needs an X display, as under xvfb-run}"
cd "$(dirname "$0")/.."
version=$(sed -nE 's/^project\(skelvane VERSION ([0-9]+\.[0-9]+\.[0-9]+) .*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
  echo "packaging_test: no project(skelvane VERSION X.Y.Z ...) in CMakeLists.txt" >&2
  exit 1
fi
zip=build/windows/skelvane-$version-win64.zip
msi=build/windows/skelvane-$version-win64.msi
deb=build/native/skelv_${version}_amd64.deb
rm -f "$zip" "$msi" "$deb"
cmake --build --preset native --target package >/dev/null
cmake --build --preset windows --target package msi report_probe >/dev/null

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
# The Windows form of a Linux path, on Wine's drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
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

echo "== $msi"
# A prefix of its own: nothing installed before can stand in for what this
# installs, nor anything this leaves behind go unseen. No menu entries or file
# types of the Linux desktop (winemenubuilder) either.
wineserver -k >/dev/null 2>&1 || true
export WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null
wineboot -i >/dev/null 2>&1 </dev/null
folder=$WINEPREFIX/drive_c/Program\ Files/Skelvane
# Installed for the machine, the shortcut belongs in the common Start menu;
# Wine's msi puts it into the user's.
shortcuts() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Skelvane.lnk'; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# installer MSI ACTION: msiexec ACTION (/i or /x) MSI silently; prints its exit status.
installer() {
  local status=0
  wine msiexec "$2" "$(windows_path "$(realpath "$1")")" /qn >"$work/msiexec.log" 2>&1 </dev/null || status=$?
  echo "$status"
}
# The registry value lines (NAME TYPE DATA) under KEY, or "absent".
registry() {
  wine reg query "$1" "${@:2}" >"$work/reg.txt" 2>&1 </dev/null || { echo absent; return; }
  tr -d '\r' <"$work/reg.txt" | sed -n 's/^    //p'
}
# The products installed, one "NAME VERSION" line each.
products() {
  wine reg query "$uninstall" /s >"$work/reg.txt" 2>&1 </dev/null || true
  tr -d '\r' <"$work/reg.txt" | awk '/^HKEY/ { if (name) print name, v; name = v = "" }
    $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { v = $3 } END { if (name) print name, v }' |
    grep -x 'Skelvane .*' || true
}

check "msiexec /i /qn exit status" 0 "$(installer "$msi" /i)"
check "installed files" "LICENSE.txt
README.txt
factory.qrs
skelv.exe
skelvane.exe" "$(ls "$folder" 2>&1)"
# As in the ZIP, but for the time stamp and checksum that stripping writes
# into a program's header (bytes 136-139 and 216-219 behind MinGW's DOS stub).
for file in LICENSE.txt README.txt factory.qrs skelv.exe skelvane.exe; do
  check "installed $file as in the ZIP" "" "$(cmp -l "$folder/$file" "$work/zip/$file" 2>&1 |
    awk '$1 !~ /^(13[7-9]|140|21[7-9]|220)$/' | head -3)"
done
program='C:\Program Files\Skelvane\skelvane.exe'
check "the .qrs file type" "(Default)    REG_SZ    Skelvane.Settings" "$(registry 'HKCR\.qrs' /ve)"
check "the file type's icon" "(Default)    REG_SZ    $program,0" \
  "$(registry 'HKCR\Skelvane.Settings\DefaultIcon' /ve)"
check "the file type's open command" "(Default)    REG_SZ    \"$program\" \"%1\"" \
  "$(registry 'HKCR\Skelvane.Settings\shell\open\command' /ve)"
# The shortcut names the program, and an icon file that was installed.
shortcut=$(shortcuts)
if [ -f "$shortcut" ]; then
  check "the shortcut's target" "$program" "$(strings -a "$shortcut" | grep -ix 'C:.*skelvane.exe' || true)"
  icon=$(strings -el "$shortcut" | grep -io 'C:.*\.ico$' || true)
  [ -n "$icon" ] && [ -f "$WINEPREFIX/drive_c/$(sed 's/^C:.//; s/\\/\//g' <<<"$icon")" ] ||
    check "the shortcut's icon file" "installed" "${icon:-none}"
else
  check "Start menu shortcut" "Skelvane.lnk" "${shortcut:-none}"
fi
(cd "$folder" && wine skelv.exe --version) >"$work/version.txt"
check "installed skelv.exe --version" "skelv $version" "$(cat "$work/version.txt")"

# A settings file other than the factory one, in a folder with a blank in its
# name, started as a double-click starts it: through the file type.
mkdir "$work/site files"
site=$work/site\ files/site\ 1.qrs
build/native/bin/skelv defaults -o "$site"
build/native/bin/skelv set "$site" scanningMode=Continuous 'suffix=[Shift][a][Enter]'
build/native/bin/skelv report "$site" >"$work/expected.txt"
if cmp -s "$work/expected.txt" tests/report/factory_report.txt; then
  check "the started file's report differs from the factory one" different same
fi
wine start /unix "$site" >/dev/null 2>&1 </dev/null
status=0
wine build/windows/bin/report_probe.exe "$(windows_path "$work/expected.txt")" \
  >"$work/shown.txt" 2>"$work/probe.log" </dev/null || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAILED the program started on a settings file shows its report: $(cat "$work/probe.log")"
  diff "$work/expected.txt" "$work/shown.txt" | head -20 || true
  failures=$((failures + 1))
fi

# A build of a higher version replaces this one in place.
next=$(awk -F. '{ print $1 "." $2 "." $3 + 1 }' <<<"$version")
(cd build/windows && wixl -a x64 -D Version="$next" -D Staging=packaging/msi-staging \
  -D Icon=resources/skelvane.ico -o "$work/next.msi" ../../packaging/skelvane.wxs 2>/dev/null)
check "products before the upgrade" "Skelvane $version" "$(products)"
check "msiexec /i /qn of version $next" 0 "$(installer "$work/next.msi" /i)"
check "products after the upgrade" "Skelvane $next" "$(products)"
[ -f "$folder/skelvane.exe" ] || check "the program after the upgrade" installed absent

check "msiexec /x /qn exit status" 0 "$(installer "$work/next.msi" /x)"
check "products after removal" "" "$(products)"
# Neither the folder, the shortcut, the icon Windows Installer keeps for it nor its copy of the
# package.
check "files after removal" "" \
  "$(find "$WINEPREFIX/drive_c" -iname '*skelvane*' -o -path '*/windows/Installer/*' | sort)"
for key in 'HKCR\.qrs' 'HKCR\Skelvane.Settings'; do
  check "$key after removal" absent "$(registry "$key")"
done
wineserver -k >/dev/null 2>&1 || true

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
echo "packaging_test: the packages of version $version passed"
