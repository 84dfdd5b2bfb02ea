#!/usr/bin/env bash
# Every language file shipped is accepted by the program's own loader with
# all of its lines kept, and no message template falls back to English.
# usage: languages_test.sh WAKTUNA-CLI LANGUAGES-FOLDER [EMULATOR...]
set -u
cli=$1 folder=$2; shift 2
english=$(dirname "$0")/../../resources/english.txt
failures=0
count=0
for file in "$folder"/*.wlp; do
    count=$((count + 1))
    out=$("$@" "$cli" language "$file" | tr -d '\r')
    lines=$(sed -n 's/^accepted: \([0-9]*\) lines, \1 kept$/\1/p' <<<"$out")
    if [ -z "$lines" ] || [ "$lines" -lt 227 ] || [ "$(wc -l <<<"$out")" -ne 1 ]; then
        echo "FAIL $(basename "$file"): $out"
        failures=$((failures + 1))
    fi
    # Lines after 227 are texts added later; a translation still holding "-"
    # for one shows it in English. Slots the English text itself leaves
    # unused ("-") stay "-". (Comments and blank lines are dropped before
    # counting.)
    stray=$(tr -d '\r' <"$file" | awk -v english="$english" '
        BEGIN { while ((getline e <english) > 0) { sub(/\r$/, "", e); en[++m] = e } }
        { t = $0; gsub(/^[\001- ]+|[\001- ]+$/, "", t) }
        t == "" || substr(t, 1, 1) == ";" { next } { n++ }
        n > 227 && $0 == "-" && en[n] != "-" { print n }')
    if [ -n "$stray" ]; then
        echo "FAIL $(basename "$file"): English text not translated at lines $stray"
        failures=$((failures + 1))
    fi
done
# The help language follows line 151: a caption with "help" opens the English
# help file, so a translation must not use that word there unless it is English.
for file in "$folder"/*.wlp; do
    [ "$(basename "$file")" = English.wlp ] && continue
    if "$@" "$cli" language "$file" --line 151 | grep -q help; then
        echo "FAIL $(basename "$file"): line 151 contains \"help\" and would open the English help"
        failures=$((failures + 1))
    fi
done
[ "$count" -gt 0 ] || { echo "FAIL no language files in $folder"; exit 1; }
echo "languages: $count files, $failures failures"
[ "$failures" -eq 0 ]
