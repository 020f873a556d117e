# The window looks the same in every language: in German, and in Hebrew,
# whose translation would turn Qt's layout right to left, it is drawn pixel
# for pixel as in English. Compared right of the entry, whose caret blinks.
radixor=$1
screengrab=$2
source "$(dirname "$0")/lib.sh"

start_x 1280x800
grab() {
    local x y w h
    read -r x y w h <<<"$(client_geometry "$window")"
    "$screengrab" $((x + 150)) "$y" $((w - 150)) "$h" "$1"
}
use_locale C.UTF-8
start_radixor
settled() {
    grab "$scratch/before.png" && sleep 0.2 && grab "$scratch/english.png" && cmp -s "$scratch/before.png" "$scratch/english.png"
}
eventually settled || fail "the English window never stood still"
kill "$app"
wait "$app" || true
for locale in de_DE.UTF-8 he_IL.UTF-8; do
    use_locale "$locale"
    start_radixor
    same() { grab "$scratch/$locale.png" && cmp -s "$scratch/english.png" "$scratch/$locale.png"; }
    eventually same || fail "under $locale the window is drawn otherwise than in English"
    kill "$app"
    wait "$app" || true
done
echo "ok: the window under de_DE and he_IL is drawn as under C.UTF-8"
