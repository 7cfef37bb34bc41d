// Writes a recording for each of the first COUNT typical entries into FOLDER,
// named and as long as the entry says (1 kHz, 8 bits, mono, to keep the folder
// small), for timing lexarium-tool check --audio against a big folder. With
// --speech they are 16 kHz 16-bit recordings shaped like speech, for timing
// check --levels.

#include "SpeechRecording.h"
#include "testdata/TestData.h"

#include <cstdio>
#include <cstdlib>
#include <sndfile.h>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const bool speech = argc == 4 && std::string(argv[3]) == "--speech";
    if (argc != 3 && !speech) {
        std::fprintf(stderr, "usage: lexarium_bench_recordings COUNT FOLDER [--speech]\n");
        return 2;
    }
    const auto count = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    std::vector<unsigned char> silence(8000, 0x80);
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
        SF_INFO info{};
        info.samplerate = 1000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (file == nullptr) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
            return 1;
        }
        sf_write_raw(file, silence.data(), entry.lengthMs);
        sf_close(file);
    }
    return 0;
}
