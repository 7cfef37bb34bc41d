// The facts of a recording and the hash of its bytes, read through one
// opening of the file: what is told must be what separate reads tell, for
// small recordings held in memory and for big ones read twice.

#include "check/AudioFacts.h"
#include "check/Sha256.h"

#include "common/TempDir.h"
#include "common/WavFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Read {
    check::AudioFacts facts;
    check::FileHash hash;
};

Read FactsAndHash(const std::string& path, check::AudioLevels* levels = nullptr) {
    Read read;
    read.facts = check::ReadAudioFacts(path, levels, &read.hash);
    return read;
}

} // namespace

TEST(AudioFacts, HashAndFactsFromOneOpeningAreThoseOfSeparateReads) {
    TempDir dir;
    // Small, in memory; over 16 MiB (about 9 minutes), read twice; not audio at all.
    WriteBytes(dir.File("short.wav"), MakeWav(1500));
    WriteBytes(dir.File("long.wav"), MakeWav(9 * 60 * 1000));
    WriteBytes(dir.File("abc.wav"), "abc");
    for (const char* name : {"short.wav", "long.wav", "abc.wav"}) {
        const std::string path = dir.File(name);
        check::AudioLevels separateLevels;
        const check::AudioFacts separate = check::ReadAudioFacts(path, &separateLevels);
        std::string hex;
        std::string reason;
        ASSERT_TRUE(check::Sha256OfFile(path, hex, reason)) << reason;

        check::AudioLevels levels;
        const Read read = FactsAndHash(path, &levels);
        EXPECT_EQ(read.hash.hex, hex) << name;
        EXPECT_EQ(read.hash.error, "") << name;
        EXPECT_EQ(read.facts.readable, separate.readable) << name;
        EXPECT_EQ(read.facts.frames, separate.frames) << name;
        EXPECT_EQ(read.facts.sampleRate, separate.sampleRate) << name;
        EXPECT_EQ(read.facts.channels, separate.channels) << name;
        EXPECT_EQ(read.facts.error.empty(), separate.error.empty()) << name;
        EXPECT_EQ(levels.measured, separateLevels.measured) << name;
        EXPECT_EQ(levels.samplePeak, separateLevels.samplePeak) << name;
        EXPECT_EQ(levels.loudness, separateLevels.loudness) << name;
    }
    EXPECT_EQ(FactsAndHash(dir.File("short.wav")).facts.frames, 24000);
    EXPECT_EQ(FactsAndHash(dir.File("long.wav")).facts.frames, 9 * 60 * 16000);
    EXPECT_FALSE(FactsAndHash(dir.File("abc.wav")).facts.readable);
    // Not a recording, but its bytes are hashed all the same.
    EXPECT_EQ(FactsAndHash(dir.File("abc.wav")).hash.hex,
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(AudioFacts, WhatIsNoRegularFileIsNeitherReadNorHashed) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo.wav").c_str(), 0600), 0);
    for (const std::string& path :
         {dir.File("fifo.wav"), dir.Path().string(), dir.File("missing.wav")}) {
        const Read read = FactsAndHash(path);
        EXPECT_FALSE(read.facts.readable) << path;
        EXPECT_EQ(read.hash.hex, "") << path;
        EXPECT_EQ(read.hash.error, read.facts.error) << path;
        EXPECT_NE(read.hash.error, "") << path;
    }
    EXPECT_EQ(FactsAndHash(dir.File("fifo.wav")).hash.error, "not a regular file");
}
