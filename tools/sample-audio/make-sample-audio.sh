#!/usr/bin/env bash
# Makes the recordings of samples/sample.trs in samples/audio/: a synthetic
# voice (espeak-ng) in each line's language, 16 kHz mono 16-bit WAV (sox),
# silence trimmed at both ends. Run by hand after changing the sample's lines,
# not by the build. It prints each recording's length in milliseconds: put
# those into tools/testdata/SampleEntries.cpp and write the sample file again
# (lexarium-testdata sample samples/sample.trs).
#
# The folder holds what a writer meets in a real mission folder: the plain
# recording of most lines, a female take ("_fem") of several, a few that are
# missing (measured, then left out), one whose name on disk differs in letter
# case from the stored name (copied from Windows), and one in a subfolder that
# the stored name writes with a backslash.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/samples/audio}
for tool in espeak-ng sox soxi; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install espeak-ng sox)" >&2; exit 1; }
done

# stored name | name on disk ("-": missing) | voice | pitch | spoken text
# The Japanese lines are spoken from their kana reading: the voice reads kanji
# only as "Chinese letter".
lines=$(cat <<'LINES'
m01_intro_narrator.wav|m01_intro_narrator.wav|en-gb|40|The river has frozen for the first time in forty years.
m01_intro_narrator_fem.wav|m01_intro_narrator_fem.wav|en-gb+f2|50|The river has frozen for the first time in forty years.
m01_intro_captain.wav|m01_intro_captain.wav|en-gb|30|Wake the others. We cross before the ice starts to sing.
m01_intro_scout.wav|M01_Intro_Scout.WAV|en-gb|60|Tracks on the far bank. Fresh ones, Captain.
m01_captain_order.wav|m01_captain_order.wav|en-gb|30|Two by two, ten paces apart. If the ice cracks, lie flat and do not run.
m01_merchant_greeting.wav|-|en-gb|70|Furs, salt and lamp oil! Prices fair as the weather.
m01_de_kapitaen_befehl.wav|m01_de_kapitaen_befehl.wav|de|30|Weckt die anderen. Wir überqueren den Fluss, bevor das Eis zu singen beginnt.
m01_de_kapitaen_befehl_fem.wav|m01_de_kapitaen_befehl_fem.wav|de+f2|50|Weckt die anderen. Wir überqueren den Fluss, bevor das Eis zu singen beginnt.
m01_de_spaeher_spuren.wav|m01_de_spaeher_spuren.wav|de|60|Spuren am anderen Ufer. Frische, Kapitän, höchstens eine Stunde alt.
m01_de_erzaehler.wav|m01_de_erzaehler.wav|de|40|Zum ersten Mal seit vierzig Jahren ist der Fluss zugefroren.
m01_pl_kapitan_rozkaz.wav|m01_pl_kapitan_rozkaz.wav|pl|30|Obudźcie pozostałych. Przeprawimy się, zanim lód zacznie śpiewać.
m01_pl_zwiadowca.wav|-|pl|60|Ślady na drugim brzegu. Świeże, kapitanie. Ktoś tu był przed nami.
pl\m01_pl_kupiec.wav|pl/m01_pl_kupiec.wav|pl|70|Futra, sól i olej do lamp! Ceny uczciwe jak pogoda.
m01_el_kapetanios.wav|m01_el_kapetanios.wav|el|30|Ξυπνήστε τους άλλους. Περνάμε πριν αρχίσει να τραγουδά ο πάγος.
m01_el_anichneftis.wav|m01_el_anichneftis.wav|el|60|Ίχνη στην απέναντι όχθη. Φρέσκα, καπετάνιε.
m01_el_anichneftis_fem.wav|m01_el_anichneftis_fem.wav|el+f2|60|Ίχνη στην απέναντι όχθη. Φρέσκα, καπετάνιε.
m01_el_afigitis.wav|-|el|40|Το ποτάμι πάγωσε για πρώτη φορά εδώ και σαράντα χρόνια.
m01_ja_senchou_meirei.wav|m01_ja_senchou_meirei.wav|ja|30|みなをおこせ。こおりがうたいはじめるまえにわたるぞ。
m01_ja_teisatsu.wav|m01_ja_teisatsu.wav|ja|60|むこうぎしにあしあとがあります。あたらしいものです、せんちょう。
m01_ja_narrator.wav|m01_ja_narrator.wav|ja|40|よんじゅうねんぶりにかわがこおった。
m01_captain_crossing.wav|m01_captain_crossing.wav|en-gb|30|Steady now. Listen to the ice, not to your fear.
m01_scout_crack.wav|m01_scout_crack.wav|en-gb|60|Crack! Down, everyone, down!
m01_narrator_outro.wav|-|en-gb|40|By nightfall the company stood on the far bank, and the river was silent again.
LINES
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
printf '%-34s %s\n' "stored name" "lengthMs"
while IFS='|' read -r stored disk voice pitch text; do
  espeak-ng -v "$voice" -p "$pitch" -s 180 -w "$work/raw.wav" "$text"
  sox -v 0.9 "$work/raw.wav" -r 16000 -c 1 -b 16 -e signed-integer "$work/take.wav" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse
  samples=$(soxi -s "$work/take.wav")
  printf '%-34s %d\n' "$stored" $(( (samples * 1000 + 8000) / 16000 ))
  if [ "$disk" != - ]; then
    mkdir -p "$(dirname "$out/$disk")"
    mv "$work/take.wav" "$out/$disk"
  fi
done <<<"$lines"
du -sh "$out"
