// Audio facts through libsndfile's virtual input, served from one read of the
// file's start: a format's header sits there, and opening a file directly costs
// libsndfile a system call for every small read and seek of its header. A
// recording that is hashed as well is opened once: read whole for the hash
// and served to libsndfile from memory, or, when big, hashed through the
// descriptor and then read again through it.

#include "check/AudioFacts.h"

#include "check/LevelMeter.h"
#include "check/RegularFile.h"
#include "check/Sha256.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sndfile.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace check {

namespace {

constexpr sf_count_t kBlockSize = 4 * 1024;

// Hashed recordings up to this size are held in memory once; recordings of
// speech are far smaller.
constexpr std::uint64_t kWholeReadLimit = 16 << 20;

// A file as libsndfile reads it: sequential reads and seeks, answered from the
// block read last when they fall into it, or from the whole file when it was
// read into memory already.
class CachedInput {
public:
    CachedInput(int fd, sf_count_t size)
        : m_fd(fd), m_size(size), m_block(kBlockSize), m_data(m_block.data()) {}
    // The whole file, `size` bytes at `data` (not owned), which must outlive this.
    CachedInput(const unsigned char* data, sf_count_t size)
        : m_fd(-1), m_size(size), m_data(data), m_blockLength(size) {}

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
                if (m_fd < 0)
                    break; // past the end of the file in memory
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
            std::memcpy(out + done, m_data + (m_position - m_blockStart),
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

    int m_fd; // not owned; -1 for a file in memory
    sf_count_t m_size;
    sf_count_t m_position = 0;
    std::vector<unsigned char> m_block;
    const unsigned char* m_data; // m_block's bytes, or the file in memory (not owned)
    sf_count_t m_blockStart = 0;
    sf_count_t m_blockLength = 0;
};

// Reads `fd` from its start to its end into `bytes` (about `size` of them, the
// size it had when opened); false, with `reason`, when a read fails or the
// file grew past the largest one read.
bool ReadWhole(int fd, std::uint64_t size, std::vector<unsigned char>& bytes,
               std::string& reason) {
    // One byte more than expected tells the end without another read.
    bytes.resize(static_cast<std::size_t>(size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > kLargestReadFile) {
                reason = "larger than 2 GiB";
                return false;
            }
            bytes.resize(bytes.size() * 2);
        }
        const std::size_t asked = bytes.size() - done;
        const ssize_t got = ::read(fd, bytes.data() + done, asked);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
        // A read that stops short at the size the file had when opened is at
        // its end: a regular file gives all it has up to the count asked for.
        // This spares a read for each of many small recordings.
        if (done == size && static_cast<std::size_t>(got) < asked)
            break;
    }
    bytes.resize(done);
    return true;
}

// Opens `input` with libsndfile and fills in `facts` (and `levels`, when given).
void Decode(CachedInput& input, AudioFacts& facts, AudioLevels* levels) {
    SF_VIRTUAL_IO calls = CachedInput::Calls();
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&calls, SFM_READ, &info, &input);
    if (sound == nullptr) {
        facts.error = sf_strerror(nullptr);
        return;
    }
    facts.readable = true;
    facts.sampleRate = info.samplerate;
    facts.channels = info.channels;
    if (info.frames >= 0 && info.frames != SF_COUNT_MAX)
        facts.frames = info.frames;
    if (levels != nullptr)
        *levels = MeasureLevels(sound, info.channels);
    sf_close(sound);
}

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

AudioFacts ReadAudioFacts(const std::string& path, AudioLevels* levels, FileHash* hash) {
    AudioFacts facts;
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, facts.error, &size);
    if (fd < 0) {
        if (hash != nullptr)
            hash->error = facts.error;
        return facts;
    }
    const auto fromDescriptor = [&] {
        CachedInput input(fd, static_cast<sf_count_t>(size));
        Decode(input, facts, levels);
    };
    if (hash == nullptr) {
        fromDescriptor();
    } else if (size <= kWholeReadLimit) {
        thread_local std::vector<unsigned char> whole;
        if (ReadWhole(fd, size, whole, hash->error)) {
            hash->hex = Sha256Hex(std::string_view(reinterpret_cast<const char*>(whole.data()),
                                                   whole.size()));
            if (hash->hex.empty())
                hash->error = "the hash could not be computed";
            CachedInput input(whole.data(), static_cast<sf_count_t>(whole.size()));
            Decode(input, facts, levels);
        } else {
            fromDescriptor();
        }
        // A big file once read keeps no memory for the many small ones after it.
        if (whole.capacity() > kWholeReadLimit / 4)
            std::vector<unsigned char>().swap(whole);
    } else {
        if (!Sha256OfDescriptor(fd, hash->hex, hash->error))
            hash->hex.clear();
        fromDescriptor(); // reads by offset: no need to go back to the start
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
