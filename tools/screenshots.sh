#!/bin/bash
# Rebuilds the pictures of docs/images from the program itself, so that they never go stale:
#
#   tools/screenshots.sh [BUILD_DIR]      (default: build; the build must be complete)
#
# - The README's picture (main-window.png) and the summary, graph and preview pages
#   (summary-page.png, graph-page.png, print-page-preview.png, and print-preview-50.png at the
#   zoom 50 % its option file keeps): the desktop program's --screenshot of the shipped sample
#   ledger data/sample.exv (tools/make_sample.py), on 18 October of its year.
# - The printed kinds (print-pdf-*.png) and the calibration sheet (print-calibration.png):
#   velmora-cli's PDF of each on the sample, page 1 at 60 dpi (pdftoppm, poppler-utils).
# - The dialogs and windows the window tests save when VELMORA_SCREENSHOT_DIR names a folder
#   (entry-form-new.png, money-count*.png, settings-dialog.png, titles-edit*.png,
#   ledger-*.png, book-*-dialog.png, ...).
# - The main window on a 1280x720 screen and on 1920x1080 at scale 1.5: the desktop scenarios
#   of tests_desktop (Xvfb, openbox), from the build's desktop-shots/.
# - The manual's pictures (data/help/velmora/images, shipped with the program): copies of the
#   pictures of the same names here.
# Pictures no step makes stay as they are; the script names them at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$root/docs/images
# A folder of a fixed name: the status bar shows the ledger's path.
tmp=/tmp/velmora-screenshots
rm -rf "$tmp"
mkdir -m 700 "$tmp"
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen VELMORA_DATA_DIR=$root/data
mkdir -m 700 "$tmp/home"
export VELMORA_HOME=$tmp/home
today=2024/10/18
stamp=$tmp/stamp
touch "$stamp"
sleep 1

sample=$tmp/sample.exv
shot() {  # shot NAME PAGE
    cp "$root/data/sample.exv" "$sample"
    "$build/gui/velmora" --today $today --screenshot "$out/$1" --page "$2" "$sample" 2>/dev/null
}
shot main-window.png ledger
shot summary-page.png summary
shot graph-page.png graph
shot print-page-preview.png preview
# The cash book's preview at 50 %, as its option file keeps the zoom.
mkdir -p -m 700 "$VELMORA_HOME/config"
(umask 077 && printf '[TrackBar1]=50\r\n' > "$VELMORA_HOME/config/note1.conf")
shot print-preview-50.png preview
rm "$VELMORA_HOME/config/note1.conf"

pdf() {  # [resolution=DPI] pdf NAME OPTIONS...
    local name=$1
    shift
    cp "$root/data/sample.exv" "$sample"
    "$build/cli/velmora-cli" --today $today pages "$sample" "$@" --pdf "$tmp/$name.pdf" --dpi 150
    pdftoppm -r "${resolution:-60}" -png -f 1 -l 1 -singlefile "$tmp/$name.pdf" "$out/$name"
}
pdf print-pdf-ledger-a4 --report 2 --month 10
pdf print-pdf-kokuyo --report 2 --month 10 --paper 1
pdf print-pdf-monthly --report 5
pdf print-pdf-income-expense --report 20
pdf print-pdf-balances --report 30 --month 10
pdf print-pdf-graph --report 40
# Its millimetre ticks need more dots than a page of figures.
resolution=90 pdf print-calibration --report 2 --month 10 --calibration

for test in "$build"/tests/gui_*_test; do
    VELMORA_SCREENSHOT_DIR=$out "$test" > /dev/null 2>&1 || echo "failed: $test" >&2
done

if command -v Xvfb > /dev/null && [ -x "$build/tests/tests_desktop" ]; then
    (cd "$build" && ctest -R '^Screens\.' > /dev/null) || echo "failed: the screen scenarios" >&2
    cp "$build/desktop-shots/screen-1280x720/01-main-window.png" "$out/main-window-1280x720.png"
    cp "$build/desktop-shots/screen-1920x1080-scale-1.5/01-main-window.png" \
        "$out/main-window-scale-1.5.png"
fi

manual=$root/data/help/velmora
for picture in $(grep -o 'src="images/[^"]*"' "$manual/index.html" | sed 's/^src="images\///; s/"$//'); do
    cp "$out/$picture" "$manual/images/$picture"
done

echo "rebuilt:"
find "$out" -name '*.png' -newer "$stamp" -printf '  %f\n' | sort
echo "not made by this script (unchanged):"
find "$out" -name '*.png' ! -newer "$stamp" -printf '  %f\n' | sort
