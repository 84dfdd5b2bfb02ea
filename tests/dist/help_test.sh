#!/usr/bin/env bash
# Both help files hold every page their project lists, and every link
# between pages leads to a page of the same help file.
# usage: help_test.sh HELP-SOURCE-FOLDER FOLDER-WITH-THE-CHM-FILES
set -u
src=$1 chm_folder=$2
failures=0
for lang in en id; do
    chm=$chm_folder/Waktuna3$lang.chm
    listed=$(chmls list "$chm" 2>/dev/null | awk '{print $NF}' | sed -n 's|^/||p' | grep '\.html$' | sort)
    wanted=$(tr -d '\r' <"$src/Waktuna3$lang.hhp" | sed -n '/^\[FILES\]/,$p' | grep '\.html$' |
             tr '\\' / | sort)
    if [ -z "$wanted" ] || [ "$listed" != "$wanted" ]; then
        echo "FAIL Waktuna3$lang.chm pages differ from its project:"
        diff <(echo "$wanted") <(echo "$listed")
        failures=$((failures + 1))
    fi
    for page in $wanted; do
        for target in $(grep -o 'href="[^"#]*\.html"' "$src/$page" | sed 's/href="//; s/"$//'); do
            if ! grep -qx "$lang/$target" <<<"$listed"; then
                echo "FAIL $page links to $target, which Waktuna3$lang.chm lacks"
                failures=$((failures + 1))
            fi
        done
    done
    echo "help: Waktuna3$lang.chm, $(wc -l <<<"$listed") pages"
done
[ "$failures" -eq 0 ]
