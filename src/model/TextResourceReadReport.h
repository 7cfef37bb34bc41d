#pragma once

// What the reader met in a text resource stream that the writer would not have
// made. Reading with a report loads exactly what reading without one loads;
// the report only tells.

#include "model/TextResourceFormat.h"

#include <cstdint>
#include <vector>

struct TextResourceFieldProblem {
    enum class Kind {
        ReadFailed, // the field could not be read and kept its value
        CutAtZero,  // a zero byte in the content cut the value short
    };
    Kind kind = Kind::ReadFailed;
    std::uint32_t position = 0; // the record's position, from 0
    trs::Field field = trs::Field::Id;
    std::uint64_t offset = 0;       // where the field starts, in bytes from the start of the stream
    std::int32_t result = 0;        // ReadFailed: the failure
    bool dataEnded = false;         // ReadFailed: the data ended inside the field
    std::uint32_t storedLength = 0; // CutAtZero: the content length the field declares
    std::uint32_t keptLength = 0;   // CutAtZero: the bytes before the zero byte
};

struct TextResourceReadReport {
    // Whether the file loaded whole, so that a save can give its bytes back:
    // not when the header or a field could not be read, a zero byte cut a
    // field short, the count promises records past the end of the data, or
    // bytes follow the last record (known once the reader's Finish counted
    // them). A foreign magic or a newer version alone loses nothing.
    bool LoadedWhole() const {
        return !headerFailed && failedFieldReads == 0 && cutFields == 0 &&
               recordsWithData >= count && trailingBytes == 0;
    }
    // Whether the first 16 bytes are not the magic (also when fewer arrived).
    bool MagicDiffers() const;

    unsigned char magic[16] = {};
    std::uint32_t magicBytes = 0; // how many of the 16 arrived
    std::uint32_t version = 0;
    bool headerFailed = false; // the version or the count could not be read
    std::uint32_t count = 0;   // the entry count the header promises
    std::uint32_t entries = 0; // the entries the load appends
    // Records of which at least one byte is in the data; the entries after
    // them are appended with the defaults of a new entry.
    std::uint32_t recordsWithData = 0;
    std::uint64_t failedFieldReads = 0;
    std::uint64_t cutFields = 0; // cut short by a zero byte
    // Field problems of the records with data, in reading order. A reader of a
    // whole file may take them away as it goes; the counts above stay.
    std::vector<TextResourceFieldProblem> problems;
    std::uint64_t bytesRead = 0;     // the header's and the records' bytes
    std::uint64_t trailingBytes = 0; // bytes after the last record
};
