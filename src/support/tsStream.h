#pragma once

// The byte streams of the core: the abstract interfaces that the model reads
// from and writes to, and the file stream that implements both.

#include <cstdint>
#include <memory>

class tsInputStream {
public:
    virtual ~tsInputStream() = default;
    // Reads exactly `size` bytes; fewer (also 0 at the end) is E_FAIL.
    // `bytesRead`, when given, receives the number read, also on failure.
    virtual std::int32_t Read(void* buffer, std::uint32_t size,
                              std::uint32_t* bytesRead = nullptr) = 0;
    // Moves the read position by `distance`; `reserved` must be 0.
    virtual std::int32_t Skip(std::int32_t distance, std::uint32_t reserved = 0) = 0;
};

class tsOutputStream {
public:
    virtual ~tsOutputStream() = default;
    // Writes all `size` bytes; fewer is E_FAIL.
    virtual std::int32_t Write(const void* buffer, std::uint32_t size) = 0;
};

// Open flags.
constexpr std::uint32_t TS_OPEN_CREATE = 1; // create or replace; else the file must exist
constexpr std::uint32_t TS_OPEN_WRITE =
    2;                                    // write access, not shared; else read, shared for reading
constexpr std::uint32_t TS_OPEN_READ = 4; // add read access

// A file through a platform handle. Loading is buffered, so that a reader that
// goes field by field does not make a system call per field; every result is
// what one platform read per call would give. Writes go straight through.
class tsFileStream : public tsInputStream, public tsOutputStream {
public:
    tsFileStream();
    ~tsFileStream() override;
    tsFileStream(const tsFileStream&) = delete;
    tsFileStream& operator=(const tsFileStream&) = delete;

    std::int32_t Open(const char* fileName, std::uint32_t flags);
    std::int32_t Close();
    std::int32_t Read(void* buffer, std::uint32_t size,
                      std::uint32_t* bytesRead = nullptr) override;
    std::int32_t Write(const void* buffer, std::uint32_t size) override;
    // Origin 0, 1, 2: from the start, the current position, the end.
    std::int32_t Seek(std::int32_t origin, std::int32_t distance);
    std::int32_t Skip(std::int32_t distance, std::uint32_t reserved = 0) override;
    // Writes the file's data through to the disk.
    std::int32_t Flush();
    bool IsOpen() const { return m_handle != nullptr; }

private:
    std::int32_t ReturnReadBuffer();

    void* m_handle; // the platform file handle, null while closed
    std::unique_ptr<unsigned char[]> m_buffer;
    std::uint32_t m_bufferPosition = 0;
    std::uint32_t m_bufferEnd = 0;
};
