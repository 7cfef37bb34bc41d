#pragma once

// Only regular files of at most 2 GiB are ever read or hashed: opening a FIFO
// waits for a writer, a device never ends, and a bigger file is no recording
// and would take minutes to hash.

#include <cstdint>
#include <string>

namespace check {

inline constexpr std::uint64_t kLargestReadFile = std::uint64_t(2) << 30;

// Opens `path` for reading when it is a regular file of at most
// kLargestReadFile bytes: the descriptor (the caller closes it), or -1 with
// `reason` telling why it was not opened. Never blocks on a FIFO.
int OpenRegularFile(const std::string& path, std::string& reason,
                    std::uint64_t* size = nullptr); // may be null

} // namespace check
