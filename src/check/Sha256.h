#pragma once

// SHA-256 through OpenSSL's libcrypto, as 64 lowercase hexadecimal digits.

#include <string>
#include <string_view>

namespace check {

std::string Sha256Hex(std::string_view bytes);

// The hash of a file's bytes; false, with `reason`, when the file was not read
// (see RegularFile.h: only regular files of at most 2 GiB are).
bool Sha256OfFile(const std::string& path, std::string& hex, std::string& reason);

// The hash of the bytes read from `fd` from its current offset to its end;
// false, with `reason`, when a read fails. The descriptor stays open.
bool Sha256OfDescriptor(int fd, std::string& hex, std::string& reason);

} // namespace check
