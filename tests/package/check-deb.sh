#!/usr/bin/env bash
# Makes the Debian package from the build tree, unpacks it into a scratch
# root and checks what a teacher's machine would get: the program with its
# books, templates and help, the book tool, the launcher link, a valid
# desktop entry and AppStream file, the declared dependencies, the
# documents Debian asks for (copyright, changelog, manual pages), and
# lintian's verdict: no error.
set -euo pipefail
build=$1
work=$(mktemp -d "$build/package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/tavisko_*.deb)
root=$work/root
dpkg -x "$deb" "$root"

failures=0
expect() { # expect <description> <test...>
  local what=$1; shift
  if ! "$@"; then echo "FAIL: $what"; failures=$((failures + 1)); fi
}
has_file() { [ -f "$root/$1" ]; }
has_some() { compgen -G "$root/$1" >/dev/null; }

expect "program" test -x "$root/usr/lib/tavisko/tavisko"
expect "launcher link" test "$(readlink "$root/usr/bin/tavisko")" = ../lib/tavisko/tavisko
expect "book tool" test -x "$root/usr/bin/tavisko-book"
for book in eitango101 kanji301 kanji303; do
  expect "book $book" has_file "usr/lib/tavisko/data/${book}_main.db"
done
expect "Word templates" has_some "usr/lib/tavisko/data/template/*.dot"
expect "Ichitaro templates" has_some "usr/lib/tavisko/data/template/*.jtt"
expect "help page" has_file usr/lib/tavisko/help/index.html
expect "icon" has_file usr/share/icons/hicolor/scalable/apps/tavisko.svg
expect "desktop entry" has_file usr/share/applications/tavisko.desktop
expect "desktop entry starts the installed program" \
  grep -qx 'Exec=/usr/bin/tavisko' "$root/usr/share/applications/tavisko.desktop"
expect "metainfo" has_file usr/share/metainfo/jp.morvane_k.tavisko.metainfo.xml
# Libraries, modules and fonts the build puts beside the program ship too.
while IFS= read -r -d '' built; do
  name=$(basename "$built")
  expect "packaged $name" test -n "$(find "$root" -name "$name" -print -quit)"
done < <(find "$build/bin" -maxdepth 2 \( -name '*.so' -o -name '*.so.*' -o -name '*.otf' -o -name '*.ttf' \) -print0)
expect "desktop entry valid" desktop-file-validate "$root/usr/share/applications/tavisko.desktop"
expect "metainfo valid" appstreamcli validate --no-net "$root/usr/share/metainfo/jp.morvane_k.tavisko.metainfo.xml"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libreoffice-writer fonts-noto-cjk xdg-utils libqt6widgets6 libsqlite3-0; do
  expect "depends on $package" grep -q "\\b$package\\b" <<<"$depends"
done
expect "installed under /usr only" test "$(ls "$root")" = usr
expect "depends on the C library (computed)" grep -q "\blibc6\b" <<<"$depends"
expect "recommends the office in Japanese" grep -q "\blibreoffice-l10n-ja\b" <<<"$(dpkg-deb -f "$deb" Recommends)"
expect "copyright" grep -q "^License: GPL-3.0-or-later" "$root/usr/share/doc/tavisko/copyright"
expect "copyright names the font's licence" grep -q "^License: OFL-1.1" "$root/usr/share/doc/tavisko/copyright"
expect "changelog" has_file usr/share/doc/tavisko/changelog.gz
for page in tavisko tavisko-book; do
  expect "manual page $page" has_file "usr/share/man/man1/$page.1.gz"
done
expect "book tool version" test "$("$build/bin/tavisko-book" --version)" = "tavisko-book $(dpkg-deb -f "$deb" Version)"

# Lintian: any error fails the package; warnings are shown.
if command -v lintian >/dev/null; then
  lintian --no-cfg "$deb" >"$work/lintian.log" 2>&1 || true
  cat "$work/lintian.log"
  expect "lintian reports no error" test -z "$(grep '^E: ' "$work/lintian.log")"
else
  expect "lintian is installed" false
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; package contents:"; dpkg -c "$deb"; exit 1
fi
echo "package $(basename "$deb") checked"
