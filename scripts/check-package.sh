#!/usr/bin/env bash
# Builds the Debian packages from the built release preset and checks them
# without installing anything: their control data and contents (dpkg-deb -I
# and -c), the files unpacked into a scratch folder (dpkg -x) where udev, the
# icon theme, AppStream and man look for them, the desktop entry, metadata,
# file types and manual pages through their validators, lintian, and the
# unpacked programs' --version.
#   bash scripts/check-package.sh [BUILD]        BUILD defaults to build/release
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
app_id=io.github.orbitune.Orbitune
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "package: $1"
  failures=$((failures + 1))
}

bash scripts/make-deb.sh "$build" >/dev/null
editor_deb=$(ls "$build"/packages/orbitune_"$version"_*.deb)
tools_deb=$(ls "$build"/packages/orbitune-tools_"$version"_*.deb)

for deb in "$editor_deb" "$tools_deb"; do
  echo "== $(basename "$deb")"
  dpkg-deb -I "$deb"
  dpkg-deb -c "$deb" | awk '{print $NF}'
done

# The editor's package: what it holds and what it must leave to the tools.
dpkg-deb -c "$editor_deb" | awk '{print $NF}' | sed 's|^\./||' >"$scratch/editor.list"
dpkg-deb -c "$tools_deb" | awk '{print $NF}' | sed 's|^\./||' >"$scratch/tools.list"
for path in usr/bin/orbitune usr/bin/orbitune-cli \
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "usr/share/icons/hicolor/48x48/apps/$app_id.png" "usr/share/icons/hicolor/256x256/apps/$app_id.png" \
  "usr/share/mime/packages/$app_id.xml" usr/share/man/man1/orbitune.1.gz usr/share/man/man1/orbitune-cli.1.gz \
  usr/share/bash-completion/completions/orbitune-cli usr/share/doc/orbitune/copyright; do
  grep -qx "$path" "$scratch/editor.list" || fail "orbitune lacks /$path"
done
grep -Eqx '(usr/)?lib/udev/rules.d/70-orbitune-meter.rules' "$scratch/editor.list" ||
  fail "orbitune puts the udev rule nowhere udev reads rules"
grep -q 'orbitune-meter-sim' "$scratch/editor.list" && fail "orbitune holds the meter simulator"
for path in usr/bin/orbitune-meter-sim usr/share/man/man1/orbitune-meter-sim.1.gz \
  usr/share/doc/orbitune-tools/copyright; do
  grep -qx "$path" "$scratch/tools.list" || fail "orbitune-tools lacks /$path"
done
grep -Eq '^(usr/bin/orbitune|usr/bin/orbitune-cli)$' "$scratch/tools.list" && fail "orbitune-tools holds the editor"
dpkg-deb -f "$editor_deb" Depends | grep -q 'libqt6widgets6' ||
  fail "orbitune does not depend on the Qt libraries it links (shlibdeps)"
dpkg-deb -f "$tools_deb" Depends | grep -q 'libc6' ||
  fail "orbitune-tools does not depend on the libraries it links (shlibdeps)"

# Unpacked as they would be installed.
root="$scratch/root"
dpkg -x "$editor_deb" "$root"
dpkg -x "$tools_deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the AppStream metadata is not valid"
mkdir -p "$scratch/mime/packages"
cp "$root/usr/share/mime/packages/$app_id.xml" "$scratch/mime/packages/"
if ! XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>"$scratch/mime.log" || [ -s "$scratch/mime.log" ]; then
  fail "the file types are not valid: $(cat "$scratch/mime.log")"
fi
for type in general planlist orbtab; do
  grep -qx "application/x-orbitune-$type:$app_id" "$scratch/mime/icons" 2>/dev/null ||
    fail "the file type application/x-orbitune-$type does not show the application's icon"
done
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
zcat "$root/usr/share/man/man1/orbitune-cli.1.gz" | grep -q '^\.SS "orbitune-cli import"' ||
  fail "the manual page of orbitune-cli does not describe its subcommands"
for program in orbitune orbitune-cli orbitune-meter-sim; do
  answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version 2>&1) || true
  [ "$answer" = "$program $version" ] || fail "$program --version answered '$answer', not '$program $version'"
done

# Debian's own checks of the binary packages.
if ! lintian --fail-on error,warning "$editor_deb" "$tools_deb"; then
  fail "lintian found faults"
fi

if [ "$failures" -ne 0 ]; then
  echo "package: $failures fault(s)"
  exit 1
fi
echo "package: $(basename "$editor_deb") and $(basename "$tools_deb") hold what they should and pass the validators"
