#pragma once

// A tone as a 16-bit mono PCM WAV file, for the tests that play sound.

#include <cmath>
#include <cstdint>
#include <string>

inline std::string MakeWav(int milliseconds, int rate = 16000) {
    const auto samples =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(rate) * milliseconds / 1000);
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "RIFF";
    put(36 + samples * 2, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate) * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double value = 8000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate);
        put(static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
    }
    return bytes;
}
