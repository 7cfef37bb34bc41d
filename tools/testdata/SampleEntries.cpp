#include "testdata/TestData.h"

namespace testdata {

namespace {

struct SampleLine {
    const char* identifier;
    const char* audioFile; // "leer": no recording yet
    const char* text;
    const char* comment;
    const char* speaker;
    std::uint32_t lengthMs; // the real length of its recording in samples/audio/
};

// The opening of a mission, in the languages the studio ships. Texts are UTF-8.
// The recordings are made by tools/sample-audio/make-sample-audio.sh, which
// prints their lengths; a few named here are missing from the folder on
// purpose, and keep the length of the take the script made and left out.
const SampleLine kLines[] = {
    {"M01_INTRO_NARRATOR", "m01_intro_narrator.wav",
     "The river has frozen for the first time in forty years.", "Calm, slow.", "Narrator", 2736},
    {"M01_INTRO_CAPTAIN", "m01_intro_captain.wav",
     "Wake the others. We cross before the ice starts to sing.", "leer", "Captain Vale", 3000},
    {"M01_INTRO_SCOUT", "m01_intro_scout.wav", "Tracks on the far bank. Fresh ones, Captain.",
     "Whispered.", "Scout Imre", 2812},
    {"M01_CAPTAIN_ORDER", "m01_captain_order.wav",
     "Two by two, ten paces apart.\r\nIf the ice cracks, lie flat and do not run.",
     "Two lines in the subtitle.", "Captain Vale", 4470},
    {"M01_SCOUT_WARNING", "leer", "Something is moving under the ice...",
     "Recording scheduled for next week.", "Scout Imre", 0},
    {"M01_MERCHANT_GREETING", "m01_merchant_greeting.wav",
     "Furs, salt & lamp oil! Prices \"fair\" as the weather.", "Quotes belong to the line.",
     "Merchant Oska", 3197},
    {"M01_DE_KAPITAEN_BEFEHL", "m01_de_kapitaen_befehl.wav",
     "Weckt die anderen. Wir überqueren den Fluss, bevor das Eis zu singen beginnt.",
     "Deutsche Fassung, Sprecherin bestätigt.", "Kapitän Vale", 4340},
    {"M01_DE_SPAEHER_SPUREN", "m01_de_spaeher_spuren.wav",
     "Spuren am anderen Ufer. Frische, Kapitän – höchstens eine Stunde alt.", "Geflüstert.",
     "Späher Imre", 4183},
    {"M01_DE_HAENDLER", "leer", "Felle, Salz und Lampenöl! Die Preise sind „fair“ wie das Wetter.",
     "Aufnahme fehlt noch.", "Händler Oska", 0},
    {"M01_DE_ERZAEHLER", "m01_de_erzaehler.wav",
     "Zum ersten Mal seit vierzig Jahren ist der Fluss zugefroren.", "leer", "Erzähler", 3250},
    {"M01_PL_KAPITAN_ROZKAZ", "m01_pl_kapitan_rozkaz.wav",
     "Obudźcie pozostałych. Przeprawimy się, zanim lód zacznie śpiewać.",
     "Wersja polska, ton stanowczy.", "Kapitan Vale", 4352},
    {"M01_PL_ZWIADOWCA", "m01_pl_zwiadowca.wav",
     "Ślady na drugim brzegu. Świeże, kapitanie. Ktoś tu był przed nami.", "Szeptem.",
     "Zwiadowca Imre", 4656},
    {"M01_PL_KUPIEC", "pl\\m01_pl_kupiec.wav",
     "Futra, sól i olej do lamp! Ceny uczciwe jak pogoda.", "leer", "Kupiec Oska", 3697},
    {"M01_PL_NARRATOR", "leer", "Rzeka zamarzła po raz pierwszy od czterdziestu lat.",
     "Brak nagrania.", "Narrator", 0},
    {"M01_EL_KAPETANIOS", "m01_el_kapetanios.wav",
     "Ξυπνήστε τους άλλους. Περνάμε πριν αρχίσει να τραγουδά ο πάγος.", "Ελληνική έκδοση.",
     "Καπετάνιος Βέιλ", 3435},
    {"M01_EL_ANICHNEFTIS", "m01_el_anichneftis.wav", "Ίχνη στην απέναντι όχθη. Φρέσκα, καπετάνιε.",
     "Ψιθυριστά.", "Ανιχνευτής Ίμρε", 2804},
    {"M01_EL_EMPOROS", "leer", "Γούνες, αλάτι και λάδι για λάμπες! Τιμές δίκαιες σαν τον καιρό.",
     "Η ηχογράφηση εκκρεμεί.", "Έμπορος Όσκα", 0},
    {"M01_EL_AFIGITIS", "m01_el_afigitis.wav",
     "Το ποτάμι πάγωσε για πρώτη φορά εδώ και σαράντα χρόνια.", "leer", "Αφηγητής", 2937},
    {"M01_JA_SENCHOU_MEIREI", "m01_ja_senchou_meirei.wav", "皆を起こせ。氷が歌い始める前に渡るぞ。",
     "日本語版、落ち着いた声で。", "ヴェイル船長", 2828},
    {"M01_JA_TEISATSU", "m01_ja_teisatsu.wav", "向こう岸に足跡があります。新しいものです、船長。",
     "ささやき声。", "偵察兵イムレ", 3722},
    {"M01_JA_SHOUNIN", "leer", "毛皮、塩、ランプの油!値段は天気と同じくらい公正だよ。",
     "収録待ち。", "商人オスカ", 0},
    {"M01_JA_NARRATOR", "m01_ja_narrator.wav", "四十年ぶりに川が凍った。", "leer", "語り手", 1689},
    // Its text was edited after the recording in samples/audio/ was made and
    // noted in samples/sample.recorded.tsv: check shows it as text-changed.
    {"M01_CAPTAIN_CROSSING", "m01_captain_crossing.wav",
     "Steady now. Listen to the ice, not to your fear. Keep moving.", "leer", "Captain Vale", 2811},
    {"M01_SCOUT_CRACK", "m01_scout_crack.wav", "Crack! Down, everyone, down!", "Shouted.",
     "Scout Imre", 2160},
    {"M01_MERCHANT_PRAYER", "leer", "Spirits of the river, I owe you a barrel of salt.",
     "Mumbled, half comic.", "Merchant Oska", 0},
    {"M01_NARRATOR_OUTRO", "m01_narrator_outro.wav",
     "By nightfall the company stood on the far bank, and the river was silent again.", "leer",
     "Narrator", 3988},
};

} // namespace

TextResourceObject MakeSampleCollection() {
    TextResourceObject object;
    std::uint32_t id = 100;
    for (const SampleLine& line : kLines) {
        TextResourceEntry entry;
        entry.id = id++;
        entry.identifier = line.identifier;
        entry.audioFile = line.audioFile;
        entry.text = line.text;
        entry.comment = line.comment;
        entry.speaker = line.speaker;
        entry.lengthMs = line.lengthMs;
        object.AddEntry(entry);
    }
    return object;
}

} // namespace testdata
