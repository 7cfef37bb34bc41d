#include "check/Sha256.h"

#include "check/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <openssl/evp.h>
#include <unistd.h>
#include <vector>

namespace check {

namespace {

// One digest context per thread, made once: the hashes of many small files
// and texts would otherwise spend more time setting contexts up than hashing.
class Digest {
public:
    Digest() : m_context(EVP_MD_CTX_new(), &EVP_MD_CTX_free) {}

    static Digest& OfThread() {
        thread_local Digest digest;
        return digest;
    }

    bool Start() { return EVP_DigestInit_ex(m_context.get(), Algorithm(), nullptr) == 1; }
    bool Update(const void* data, std::size_t size) {
        return EVP_DigestUpdate(m_context.get(), data, size) == 1;
    }
    std::string FinishHex() {
        unsigned char value[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        if (EVP_DigestFinal_ex(m_context.get(), value, &length) != 1)
            return {};
        static const char kDigits[] = "0123456789abcdef";
        std::string hex(length * 2, '0');
        for (unsigned int i = 0; i < length; ++i) {
            hex[2 * i] = kDigits[value[i] >> 4];
            hex[2 * i + 1] = kDigits[value[i] & 0x0F];
        }
        return hex;
    }

private:
    // Fetched once for all threads.
    static const EVP_MD* Algorithm() {
        static EVP_MD* const algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
        return algorithm;
    }

    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> m_context;
};

} // namespace

std::string Sha256Hex(std::string_view bytes) {
    Digest& digest = Digest::OfThread();
    if (!digest.Start() || !digest.Update(bytes.data(), bytes.size()))
        return {};
    return digest.FinishHex();
}

bool Sha256OfFile(const std::string& path, std::string& hex, std::string& reason) {
    const int fd = OpenRegularFile(path, reason);
    if (fd < 0)
        return false;
    const bool hashed = Sha256OfDescriptor(fd, hex, reason);
    ::close(fd);
    return hashed;
}

bool Sha256OfDescriptor(int fd, std::string& hex, std::string& reason) {
    Digest& digest = Digest::OfThread();
    bool good = digest.Start();
    thread_local std::vector<unsigned char> buffer(256 * 1024);
    while (good) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = std::strerror(errno);
            good = false;
        } else if (got == 0) {
            break;
        } else {
            good = digest.Update(buffer.data(), static_cast<std::size_t>(got));
        }
    }
    if (good)
        hex = digest.FinishHex();
    if ((!good || hex.empty()) && reason.empty())
        reason = "the hash could not be computed";
    return good && !hex.empty();
}

} // namespace check
