#pragma once

// A recording of a typical entry for timing the checks against a big folder:
// as long as the entry says, 1 kHz, 8 bits, mono, silent, to keep the folder
// small.

#include <algorithm>
#include <cstdint>
#include <sndfile.h>
#include <string>
#include <vector>

inline bool WriteTypicalRecording(const std::string& path, std::uint32_t milliseconds) {
    SF_INFO info{};
    info.samplerate = 1000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    static const std::vector<unsigned char> silence(8000, 0x80);
    std::uint32_t left = milliseconds;
    while (left > 0) {
        const std::uint32_t part = std::min<std::uint32_t>(left, silence.size());
        sf_write_raw(file, silence.data(), part);
        left -= part;
    }
    sf_close(file);
    return true;
}
