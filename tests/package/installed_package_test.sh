#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack from this build tree, unpacked
# into a fresh root (dpkg -x), its programs run from there on the demo it ships, with
# the INI file found in the user's configuration folder. Nothing may be written into
# the unpacked root.
#   installed_package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/omrix-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$work/cpack/omrix-print_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work/cpack")"

# The libraries' packages computed, the fonts named.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libsqlite3-0 fonts-ipaexfont-gothic fonts-ipaexfont-mincho; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# The desktop program's dialogs speak Japanese through Qt's translations.
if dpkg-deb -c "$deb" | grep -q '/usr/bin/omrix-print$'; then
  grep -q '\bqt6-translations-l10n\b' <<<"$depends" || fail "Depends lacks Qt's translations"
fi

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/omrix-db usr/bin/omrix-print-export \
  usr/share/omrix-print/schema.sql usr/share/omrix-print/demo/OMRIX.INI \
  usr/share/omrix-print/demo/demo.sqlite \
  usr/share/omrix-print/fonts/omrix-print-gothic.ttf \
  usr/share/omrix-print/fonts/omrix-print-mincho.ttf \
  usr/share/man/man1/omrix-db.1.gz usr/share/man/man1/omrix-print-export.1.gz \
  usr/share/doc/omrix-print/copyright; do
  [ -s "$root/$file" ] || fail "the package lacks $file"
done
if [ -e "$root/usr/bin/omrix-print" ]; then
  for file in usr/share/applications/omrix-print.desktop usr/share/man/man1/omrix-print.1.gz \
    usr/share/icons/hicolor/scalable/apps/omrix-print.svg; do
    [ -s "$root/$file" ] || fail "the package lacks $file"
  done
fi
find "$root" -printf '%p %s %T@\n' | sort >"$work/before"

# A user of the package: no build tree, no font folder given, the demo copied into
# the configuration folder.
unset OMRIX_INI OMRIX_FONT_DIR
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$XDG_CONFIG_HOME/omrix"
cp "$root"/usr/share/omrix-print/demo/* "$XDG_CONFIG_HOME/omrix/"
cd "$work"

[ "$("$root/usr/bin/omrix-print-export" --version)" = "omrix-print-export $version" ] ||
  fail "omrix-print-export --version"
[ "$("$root/usr/bin/omrix-db" --version)" = "omrix-db $version" ] || fail "omrix-db --version"
if [ -e "$root/usr/bin/omrix-print" ]; then
  # Answers before Qt looks for a display: a plain shell reads the version too.
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/omrix-print" --version)" = "omrix-print $version" ] ||
    fail "omrix-print --version"
fi

"$root/usr/bin/omrix-print-export" --bukken 00000001 --han 01 --out "$work/docs" \
  --outputs uchiwake,daika >"$work/written" 2>"$work/errors" ||
  { cat "$work/errors" >&2; fail "the export of the demo"; }
for doc in uchiwake daika; do
  [ -s "$work/docs/$doc.pdf" ] || fail "no $doc.pdf"
  # The installed program found the fonts of its package.
  pdffonts "$work/docs/$doc.pdf" >"$work/fonts"
  grep -q OmrixPrint "$work/fonts" || fail "$doc.pdf is not set in the print fonts"
done
# The company name came from the INI file found in the configuration folder.
pdftotext "$work/docs/uchiwake.pdf" "$work/uchiwake.txt"
grep -q "株式会社オムリクス建設" "$work/uchiwake.txt" ||
  fail "the statement does not carry the company name of the INI file"

find "$root" -printf '%p %s %T@\n' | sort >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "something was written into the installed tree"
echo "package $(basename "$deb") installs and exports"
