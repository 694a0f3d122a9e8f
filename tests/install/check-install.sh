#!/usr/bin/env bash
# Installs a Release build tree into a temporary prefix and checks it as a
# desktop would see it: the menu entry and the AppStream metadata validate,
# and the program found through the menu entry starts from a read-only
# program folder with a fresh home and saves a drawing into the user's data
# folder. Run as root, it also prints that drawing through a CUPS queue with
# a PDF printer (the test run's, given as CUPS_SERVER and its folder as
# GARABIX_PRINT_DIR, or else one of its own), and checks the page. Then builds the Debian
# package and inspects its contents (the program folder's data, the
# desktop's files) and dependencies.
# Usage: check-install.sh <release build tree>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
cleanup() {
    "$here/../../scripts/print-server.sh" stop "$work/cups"
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
fail() { echo "check-install: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/org.garabix.Garabix.desktop"
desktop-file-validate "$entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.garabix.Garabix.metainfo.xml" >/dev/null
command=$(sed -n 's/^Exec=//p' "$entry")
[ "$command" = "$prefix/bin/garabix" ] || fail "the menu entry runs '$command'"
program="$prefix/lib/garabix"

# A system-wide install: nobody may write the program folder. Root writes
# anywhere, so the program then runs as an ordinary user.
chmod -R a-w "$program"
home="$work/home"
mkdir -p "$home"
run=(env)
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
fi
shot="$home/shot.png"

# Run as root, the same session also prints, through a real queue: a
# scheduler with cups-pdf, whose pages land in the scheduler's own folder.
# One session: a second X server started right after the first may find the
# first one's display still taken.
pages=()
if [ "$(id -u)" -eq 0 ]; then
    if [ -z "${CUPS_SERVER:-}" ] || [ -z "${GARABIX_PRINT_DIR:-}" ]; then
        GARABIX_PRINT_DIR="$work/cups"
        CUPS_SERVER=$("$here/../../scripts/print-server.sh" start "$GARABIX_PRINT_DIR") ||
            fail "the print scheduler of this check did not start"
    fi
    export CUPS_SERVER
    pages=("$GARABIX_PRINT_DIR/pages")
fi
"${run[@]}" HOME="$home" XDG_DATA_HOME= XDG_CONFIG_HOME= XDG_RUNTIME_DIR= \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$here/save-drawing.sh" "$command" "$home/.local/share/garabix/misdibujos" "$shot" \
    "${pages[@]}" || fail "the installed program did not save${pages:+ and print} a drawing"
saved="$home/.local/share/garabix/misdibujos/0.bmp"
[ -s "$saved" ] || fail "no drawing in the user's data folder"
[ "$(head -c 2 "$saved")" = "BM" ] || fail "the drawing is not a BMP"
[ ! -e "$program/misdibujos" ] || fail "a drawings folder appeared in the program folder"
echo "check-install: installed program saved $(basename "$saved") into ~/.local/share/garabix/misdibujos"
if [ ${#pages[@]} -gt 0 ]; then
    page=$(ls "${pages[0]}"/*.pdf | head -1)
    pdfinfo "$page" | grep -q '^Pages: *1$' || fail "the printed drawing is not one page"
    # The frame drawn around the canvas is whole on the page.
    frame=$("$here/framed-page.sh" "$page" "$work") || fail "printed page: $frame"
    echo "check-install: printed through CUPS and cups-pdf, the frame whole: $frame"
fi

# The Debian package.
(cd "$build" && rm -f garabix_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/garabix_*.deb)
fields=$(dpkg-deb -f "$deb" Package Depends Section)
for dep in libqt6widgets6 libcanberra0 qt6-qpa-plugins libqt6svg6 libc6; do
    grep -q "$dep" <<<"$fields" || fail "the package does not depend on $dep"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
# What the program folder must hold, and the desktop's files; the same
# install rules build the package and the prefix above.
for f in ./usr/bin/garabix ./usr/lib/garabix/garabix ./usr/lib/garabix/configuracion/mdg.txt \
         ./usr/lib/garabix/configuracion/idioma.txt ./usr/lib/garabix/camina.gif \
         ./usr/lib/garabix/escenarios/1.gif ./usr/lib/garabix/sonidos/sonido3.wav \
         ./usr/lib/garabix/dibujos/animales/ ./usr/share/icons/hicolor/48x48/apps/garabix.png \
         ./usr/share/applications/org.garabix.Garabix.desktop \
         ./usr/share/metainfo/org.garabix.Garabix.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/garabix.svg ./usr/share/doc/garabix/copyright; do
    grep -qx "$f" <<<"$contents" || fail "the package has no $f"
done
! grep -q misdibujos <<<"$contents" || fail "the package holds drawings"
grep -qx ./etc/garabix/garabix.conf <<<"$contents" || fail "the package has no settings file"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/garabix/garabix.conf ||
    fail "the settings file is no conffile of the package"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/org.garabix.Garabix.desktop |
    grep -qx 'Exec=/usr/bin/garabix' || fail "the package's menu entry does not run /usr/bin/garabix"
if command -v lintian >/dev/null; then
    errors=$(lintian --no-tag-display-limit "$deb" 2>/dev/null | grep '^E:' || true)
    [ -z "$errors" ] || fail "lintian: $errors"
fi
echo "check-install: $(basename "$deb") holds $(wc -l <<<"$contents") entries; $(grep Depends <<<"$fields")"
