# record NUMBER NAME HH MM HH MM 24H DAY-TEXT DAY-CODE PLACE ALL-PLACES DAY-OF-MONTH
# prints one record of a list as the program's "Enregistrer" writes it
# (Windows-1252, CR LF); NAME and DAY-TEXT may hold \xNN escapes.
# Sourced by tests/e2e/e2e.sh and scripts/screenshots.sh.
record() {
    printf '[%s]\r\nnumero=%s\r\nnom=%b\r\nheure de debut=%s\r\nminute de debut=%s\r\n' "$1" "$1" "$2" "$3" "$4"
    printf 'heure de fin=%s\r\nminute de fin=%s\r\n24 h 24=%s\r\n' "$5" "$6" "$7"
    printf 'jour autoris\xe9=%b\r\njour autoris\xe9_=%s\r\n' "$8" "$9"
    printf 'lieu autoris\xe9=%s\r\ntous lieux=%s\r\njour du mois=%s\r\n\r\n' "${10}" "${11}" "${12}"
}
