#!/usr/bin/env bash
# Builds the locales the tests run the calendar under into a folder of their own, which they
# use through LOCPATH, so that no test depends on the locales the machine has installed.
#
#   build-locales.sh FOLDER [NAME...]   NAME like de_DE.UTF-8; without names, every locale below
#
# A locale already in FOLDER is kept. One whose source is missing (tools/setup.sh installs the
# package "locales", which brings /usr/share/i18n) is not built: FOLDER/NAME.missing says why,
# and the tests that need it skip with that reason. Always succeeds, so the tests decide.
set -uo pipefail
folder=${1:-}
[ -n "$folder" ] || { echo "usage: $0 FOLDER [NAME...]" >&2; exit 2; }
shift
names=("$@")
((${#names[@]})) || names=(C.UTF-8 de_DE.UTF-8 fr_FR.UTF-8 ru_RU.UTF-8 tr_TR.UTF-8
                          ja_JP.UTF-8 ar_EG.UTF-8 he_IL.UTF-8)
sources=/usr/share/i18n
mkdir -p "$folder"
# Compiled locales suit only the C library that built them: after an upgrade they are built anew.
library=$(localedef --version 2>/dev/null | head -1)
if [ "$(cat "$folder/.built-by" 2>/dev/null)" != "$library" ]; then
    rm -rf "$folder"/*.UTF-8 "$folder"/*.UTF-8.missing
    echo "$library" >"$folder/.built-by"
fi
for name in "${names[@]}"; do
    [ -f "$folder/$name/LC_CTYPE" ] && continue
    source=${name%%.*} charmap=${name#*.}
    rm -f "$folder/$name.missing"
    if ! command -v localedef >/dev/null; then
        echo "localedef is missing" >"$folder/$name.missing"
    elif [ ! -f "$sources/locales/$source" ]; then
        echo "no locale source $sources/locales/$source (tools/setup.sh installs the package locales)" \
            >"$folder/$name.missing"
    elif [ ! -f "$sources/charmaps/$charmap.gz" ] && [ ! -f "$sources/charmaps/$charmap" ]; then
        echo "no character map $sources/charmaps/$charmap" >"$folder/$name.missing"
    else
        # Built aside and moved in whole: a test never sees half a locale.
        building=$(mktemp -d "$folder/.building.XXXXXX")
        if localedef -c -i "$source" -f "$charmap" "$building/$name" >"$building/log" 2>&1 &&
            [ -f "$building/$name/LC_CTYPE" ]; then
            mv -T "$building/$name" "$folder/$name" 2>/dev/null
        else
            { echo "localedef could not build $name:"; cat "$building/log"; } >"$folder/$name.missing"
        fi
        rm -rf "$building"
    fi
    [ -f "$folder/$name.missing" ] && echo "locale $name skipped: $(head -1 "$folder/$name.missing")" >&2
done
exit 0
