// Writes a recording for each of the first COUNT typical entries into FOLDER,
// named and as long as the entry says (1 kHz, 8 bits, mono, to keep the folder
// small), for timing lexarium-tool check --audio against a big folder. With
// --speech they are 16 kHz 16-bit recordings shaped like speech, for timing
// check --levels.

#include "SpeechRecording.h"
#include "TypicalRecording.h"
#include "testdata/TestData.h"

#include <cstdio>
#include <cstdlib>
#include <sndfile.h>
#include <string>

int main(int argc, char** argv) {
    const bool speech = argc == 4 && std::string(argv[3]) == "--speech";
    if (argc != 3 && !speech) {
        std::fprintf(stderr, "usage: lexarium_bench_recordings COUNT FOLDER [--speech]\n");
        return 2;
    }
    const auto count = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    for (std::uint32_t i = 0; i < count; ++i) {
        const TextResourceEntry entry = testdata::MakeTypicalEntry(i);
        const std::string path = std::string(argv[2]) + "/" + entry.audioFile;
        if (speech) {
            if (!WriteSpeech(path, entry.lengthMs)) {
                std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
                return 1;
            }
            continue;
        }
        if (!WriteTypicalRecording(path, entry.lengthMs)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
            return 1;
        }
    }
    return 0;
}
