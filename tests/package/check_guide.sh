#!/usr/bin/env bash
# Checks the operator's guide as installed: in every *.md of DOC_DIR, each
# relative link or picture names a file that is there, at least one picture
# is shown, and no line tells how to build or test the program.
#   tests/package/check_guide.sh DOC_DIR
# Prints each fault as "guide: FAIL file:line: ..." and exits 1 on any.
set -uo pipefail
DOC=${1:?usage: $0 DOC_DIR}
faults=0 pictures=0 guides=0
fail() {
    echo "guide: FAIL $*"
    faults=$((faults + 1))
}
for md in "$DOC"/*.md; do
    [ -f "$md" ] || continue
    guides=$((guides + 1))
    name=${md#"$DOC"/}
    # Targets of "](target)" and "](target "title")", addresses and anchors aside.
    while IFS=: read -r line target; do
        target=${target%% *}
        target=${target%%#*}
        case $target in '' | http://* | https://* | mailto:*) continue ;; esac
        case $target in *.png | *.jpg | *.svg) pictures=$((pictures + 1)) ;; esac
        [ -f "$DOC/$target" ] || fail "$name:$line: names $target, which is not installed beside it"
    done < <(grep -no '](\([^)]*\))' "$md" | sed 's/^\([0-9]*\):](\(.*\))$/\1:\2/')
    while IFS= read -r hit; do
        fail "$name:${hit%%:*}: build instructions: ${hit#*:}"
    done < <(grep -niE 'cmake|ninja|ctest|fuzz|HACKING\.md|scripts/|build/' "$md")
done
[ "$guides" -gt 0 ] || fail "no guide (*.md) in $DOC"
[ "$pictures" -gt 0 ] || fail "the guide shows no picture"
[ "$faults" = 0 ] || exit 1
echo "guide: PASS $guides guides, $pictures pictures, no build instructions"
