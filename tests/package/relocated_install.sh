#!/usr/bin/env bash
# An install under one prefix, moved to another, runs from there: the programs find the
# shipped data beside their own folder and no path into the source tree is compiled in.
#   relocated_install.sh CMAKE BUILD-DIR SOURCE-DIR
set -euo pipefail
cmake=$1 build=$2 source=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "relocated install: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$tmp/first" --strip > /dev/null
mv "$tmp/first" "$tmp/moved"
prefix=$tmp/moved

for f in bin/velmora-cli share/velmora/cldata/kamoku1.dat share/velmora/help/velmora/index.html \
    share/applications/velmora.desktop share/mime/packages/velmora.xml \
    share/icons/hicolor/scalable/apps/velmora.svg share/man/man1/velmora.1.gz \
    share/man/man1/velmora-cli.1.gz share/doc/velmora/copyright share/doc/velmora/changelog.gz; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
ls "$prefix"/share/metainfo/*.metainfo.xml > /dev/null || fail "no AppStream data"
if grep -rlF "$source/data" "$prefix/bin"; then fail "a program names the source tree's data/"; fi

# velmora-cli prepares a new working folder from the moved prefix's data and reads its sample.
cp "$prefix/share/velmora/sample.exv" "$tmp/sample.exv"
books=$(env -u VELMORA_DATA_DIR VELMORA_HOME="$tmp/work" \
    "$prefix/bin/velmora-cli" --today 2024/04/10 books "$tmp/sample.exv")
[ "$books" = $'現金|現金出納帳\t215,810\n小口|店舗小口\t28,050\n預金|みどり銀行\t1,313,952' ] ||
    fail "books gave: $books"
cmp "$prefix/share/velmora/cldata/kamoku1.dat" "$tmp/work/cldata/kamoku1.dat" ||
    fail "the working folder did not get the shipped titles"

if [ -x "$prefix/bin/velmora" ]; then
    env -u VELMORA_DATA_DIR VELMORA_HOME="$tmp/work2" QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/velmora" --today 2024/04/10 --screenshot "$tmp/shot.png" "$tmp/sample.exv"
    [ "$(head -c 8 "$tmp/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "no PNG screenshot"
    cmp "$prefix/share/velmora/cldata/kamoku1.dat" "$tmp/work2/cldata/kamoku1.dat" ||
        fail "the desktop program's working folder did not get the shipped titles"
fi
echo "relocated install: ok ($prefix)"
