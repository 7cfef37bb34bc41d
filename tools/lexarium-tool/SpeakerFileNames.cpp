#include "SpeakerFileNames.h"

#include "audio/AudioLookup.h"
#include "platform/Win32CodePage.h"

#include <cstring>
#include <set>

namespace {

// Bytes of a name before ".csv" and a " (NNN)": well below the 255 that most
// file systems allow.
constexpr std::size_t kLongestStem = 200;

bool IsReservedDevice(const std::string& stem) {
    static const std::set<std::string> names = {
        "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
        "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
    // Windows reserves them with any extension as well.
    return names.count(audio::FoldCase(stem.substr(0, stem.find('.')))) != 0;
}

std::string Stem(const std::string& speaker) {
    if (speaker.empty())
        return "(no speaker)";
    std::string stem;
    const auto* bytes = reinterpret_cast<const unsigned char*>(speaker.data());
    for (std::size_t i = 0; i < speaker.size();) {
        const platform::Utf8Sequence sequence =
            platform::DecodeUtf8(bytes + i, speaker.size() - i);
        const char32_t c = sequence.character;
        const bool forbidden = !sequence.valid || c < 0x20 || c == 0x7F ||
                               (c >= 0x80 && c < 0xA0) ||
                               (c < 0x80 && std::strchr("/\\:*?\"<>|", static_cast<int>(c)));
        if (stem.size() + (forbidden ? 1 : sequence.length) > kLongestStem)
            break;
        if (forbidden)
            stem += '_';
        else
            stem.append(speaker, i, sequence.length);
        i += sequence.length;
    }
    // Windows drops a trailing dot or space, which would make two names one.
    if (!stem.empty() && (stem.back() == '.' || stem.back() == ' '))
        stem.back() = '_';
    if (IsReservedDevice(stem))
        stem.insert(0, "_");
    return stem;
}

} // namespace

std::vector<std::string> SpeakerFileNames(const std::vector<std::string>& speakers) {
    std::vector<std::string> names;
    std::set<std::string> taken; // folded
    for (const std::string& speaker : speakers) {
        const std::string stem = Stem(speaker);
        std::string name = stem + ".csv";
        for (int n = 2; !taken.insert(audio::FoldCase(name)).second; ++n)
            name = stem + " (" + std::to_string(n) + ").csv";
        names.push_back(name);
    }
    return names;
}
