// Writes a recording for each of the first COUNT typical entries into FOLDER,
// named and as long as the entry says (1 kHz, 8 bits, mono, to keep the folder
// small), for timing lexarium-tool check --audio against a big folder.

#include "testdata/TestData.h"

#include <cstdio>
#include <cstdlib>
#include <sndfile.h>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lexarium_bench_recordings COUNT FOLDER\n");
        return 2;
    }
    const auto count = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    std::vector<unsigned char> silence(8000, 0x80);
    for (std::uint32_t i = 0; i < count; ++i) {
        const TextResourceEntry entry = testdata::MakeTypicalEntry(i);
        const std::string path = std::string(argv[2]) + "/" + entry.audioFile;
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
