#pragma once

// Reads a text resource stream entry by entry, with the rules of the
// collection's Read (which is built on it): a foreign magic is passed over,
// every field is read whatever became of the one before, records that the
// count promises beyond the end of the data are given the defaults of a new
// entry, and strings of files of version 0 and 1 are converted to UTF-8. Lets a
// command go through a large file without holding it.

#include "model/TextResourceEntry.h"
#include "model/TextResourceFormat.h"
#include "model/TextResourceReadReport.h"
#include "support/tsStream.h"

#include <cstdint>
#include <string>
#include <string_view>

class TextResourceReader : private trs::FieldObserver {
public:
    // `report`, when given, is filled as reading goes on.
    explicit TextResourceReader(tsInputStream& stream,                     // not owned
                                TextResourceReadReport* report = nullptr); // not owned

    // Reads the magic, the version and the count. The result is that of
    // reading the count; when it failed, no entry follows.
    std::int32_t ReadHeader();
    std::uint32_t Version() const { return m_version; }

    // Fills `entry` with the next entry as the collection appends it; false
    // when no entry follows.
    bool ReadEntry(TextResourceEntry& entry);
    // The entries read so far: the position of the next one.
    std::uint32_t EntriesRead() const { return m_entries; }
    // The bytes read so far from the start of the stream: where the next
    // record starts.
    std::uint64_t Offset() const { return m_stream.count; }

    // One record of a file of `version` from its bytes alone (as Offset told
    // where it starts and ends), as ReadEntry gives it: for a second pass
    // over a file that is not held.
    static void ReadRecord(std::string_view bytes, std::uint32_t version,
                           TextResourceEntry& entry);

    // With a report: counts the bytes that follow the last record. Call it
    // after the last entry.
    void Finish();

private:
    class CountingStream : public tsInputStream {
    public:
        explicit CountingStream(tsInputStream& inner) : m_inner(inner) {}
        std::int32_t Read(void* buffer, std::uint32_t size,
                          std::uint32_t* bytesRead = nullptr) override;
        std::int32_t Skip(std::int32_t distance, std::uint32_t reserved) override {
            return m_inner.Skip(distance, reserved);
        }
        std::uint64_t count = 0;
        bool shortRead = false; // since the flag was last cleared
        bool endMet = false;    // a read came short: the data end

    private:
        tsInputStream& m_inner; // not owned
    };

    static void ConvertLegacyFields(TextResourceEntry& entry, std::uint32_t version);
    void BeforeField(trs::Field field) override;
    void AfterField(trs::Field field, std::int32_t result, std::uint32_t storedLength,
                    const std::string* value) override;

    CountingStream m_stream;
    TextResourceReadReport* m_report; // not owned; may be null
    std::uint32_t m_version = 0;
    std::uint32_t m_count = 0;
    bool m_headerRead = false;
    std::uint32_t m_entries = 0;
    std::uint32_t m_pastEnd = 0;
    std::uint64_t m_fieldStart = 0;
};
