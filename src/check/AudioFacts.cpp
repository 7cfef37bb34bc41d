// Audio facts through libsndfile's virtual input, served from one read of the
// file's start: a format's header sits there, and opening a file directly costs
// libsndfile a system call for every small read and seek of its header.

#include "check/AudioFacts.h"

#include "check/LevelMeter.h"
#include "check/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace check {

namespace {

constexpr sf_count_t kBlockSize = 4 * 1024;

// A file as libsndfile reads it: sequential reads and seeks, answered from the
// block read last when they fall into it.
class CachedInput {
public:
    CachedInput(int fd, sf_count_t size) : m_fd(fd), m_size(size), m_block(kBlockSize) {}

    static SF_VIRTUAL_IO Calls() {
        SF_VIRTUAL_IO io{};
        io.get_filelen = [](void* self) { return static_cast<CachedInput*>(self)->Size(); };
        io.seek = [](sf_count_t offset, int whence, void* self) {
            return static_cast<CachedInput*>(self)->Seek(offset, whence);
        };
        io.read = [](void* buffer, sf_count_t count, void* self) {
            return static_cast<CachedInput*>(self)->Read(buffer, count);
        };
        io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
        io.tell = [](void* self) { return static_cast<CachedInput*>(self)->m_position; };
        return io;
    }

private:
    sf_count_t Size() const { return m_size; }

    sf_count_t Seek(sf_count_t offset, int whence) {
        sf_count_t base = whence == SEEK_CUR ? m_position : whence == SEEK_END ? Size() : 0;
        if (base + offset < 0)
            return -1;
        m_position = base + offset;
        return m_position;
    }

    sf_count_t Read(void* buffer, sf_count_t count) {
        auto* out = static_cast<unsigned char*>(buffer);
        sf_count_t done = 0;
        while (done < count) {
            if (m_position < m_blockStart || m_position >= m_blockStart + m_blockLength) {
                if (count - done >= kBlockSize) {
                    // Large reads (sample data) go straight to the caller.
                    ssize_t got = ::pread(m_fd, out + done, static_cast<std::size_t>(count - done),
                                          m_position);
                    if (got <= 0)
                        break;
                    done += got;
                    m_position += got;
                    continue;
                }
                if (!Fill())
                    break;
            }
            sf_count_t inBlock = m_blockStart + m_blockLength - m_position;
            sf_count_t take = std::min(inBlock, count - done);
            std::memcpy(out + done, m_block.data() + (m_position - m_blockStart),
                        static_cast<std::size_t>(take));
            done += take;
            m_position += take;
        }
        return done;
    }

    bool Fill() {
        ssize_t got = ::pread(m_fd, m_block.data(), m_block.size(), m_position);
        if (got <= 0)
            return false;
        m_blockStart = m_position;
        m_blockLength = got;
        return true;
    }

    int m_fd;
    sf_count_t m_size;
    sf_count_t m_position = 0;
    std::vector<unsigned char> m_block;
    sf_count_t m_blockStart = 0;
    sf_count_t m_blockLength = 0;
};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::set<std::string> ReadableExtensions() {
    std::set<std::string> extensions;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    bool mpeg = false;
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0)
            continue;
        if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RAW || info.extension == nullptr)
            continue;
        extensions.insert(Lower(info.extension));
        if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG)
            mpeg = true;
    }
    // The other names the same formats go by; libsndfile reads a file by its
    // content, not by its name.
    const auto alias = [&](const char* known, std::initializer_list<const char*> others) {
        if (extensions.count(known) != 0)
            extensions.insert(others.begin(), others.end());
    };
    alias("aiff", {"aif", "aifc"});
    alias("au", {"snd"});
    alias("wav", {"wave"});
    alias("oga", {"ogg", "opus"});
    if (mpeg)
        extensions.insert({"mp3", "mp2", "mp1"});
    return extensions;
}

} // namespace

AudioFacts ReadAudioFacts(const std::string& path, AudioLevels* levels) {
    AudioFacts facts;
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, facts.error, &size);
    if (fd < 0)
        return facts;
    CachedInput input(fd, static_cast<sf_count_t>(size));
    SF_VIRTUAL_IO calls = CachedInput::Calls();
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&calls, SFM_READ, &info, &input);
    if (sound == nullptr) {
        facts.error = sf_strerror(nullptr);
    } else {
        facts.readable = true;
        facts.sampleRate = info.samplerate;
        facts.channels = info.channels;
        if (info.frames >= 0 && info.frames != SF_COUNT_MAX)
            facts.frames = info.frames;
        if (levels != nullptr)
            *levels = MeasureLevels(sound, info.channels);
        sf_close(sound);
    }
    ::close(fd);
    return facts;
}

bool HasAudioExtension(const std::string& name) {
    static const std::set<std::string> extensions = ReadableExtensions();
    const std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos)
        return false;
    return extensions.count(Lower(name.substr(dot + 1))) != 0;
}

} // namespace check
