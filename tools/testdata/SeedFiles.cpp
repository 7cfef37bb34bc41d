#include "testdata/TestData.h"

namespace testdata {

namespace {

const std::string kMagic("\x40\xF9\xB3\x0A\x62\x93\xD1\x11\x9A\x2B\x08\x00\x00\x30\x05\x12", 16);

std::string U32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
    return bytes;
}

std::string Str(const std::string& content) {
    return std::string(1, static_cast<char>(content.size())) + content;
}

std::string Header(std::uint32_t version, std::uint32_t count) {
    return kMagic + U32(version) + U32(count);
}

} // namespace

std::vector<std::pair<std::string, std::string>> MakeSeedFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    TextResourceObject empty;
    files.emplace_back("empty.trs", ToFileBytes(empty));

    TextResourceObject one;
    TextResourceEntry entry;
    entry.id = 1;
    one.AddEntry(entry);
    files.emplace_back("one-default-entry.trs", ToFileBytes(one));

    TextResourceObject sample = MakeSampleCollection();
    files.emplace_back("sample.trs", ToFileBytes(sample));

    TextResourceObject typical = MakeTypicalCollection(20);
    files.emplace_back("typical-20.trs", ToFileBytes(typical));

    TextResourceObject longFields;
    TextResourceEntry big;
    big.text = std::string(300, 't');
    big.speaker = std::string(70000, 's');
    longFields.AddEntry(big);
    files.emplace_back("long-prefixes.trs", ToFileBytes(longFields));

    files.emplace_back("version-0.trs", Header(0, 2) + U32(1) + Str("A") + Str("a.wav") +
                                            Str("eins") + U32(2) + Str("B\xE4") + Str("") +
                                            Str("zwei \x80"));
    files.emplace_back("version-1.trs", Header(1, 1) + U32(9) + Str("K\xE4SE") +
                                            Str("k\xE4se.wav") + Str("\x80 5") + Str("Kommentar"));
    files.emplace_back("version-3.trs", Header(3, 1) + U32(1) + Str("A") + Str("") + Str("t") +
                                            Str("c") + Str("Ola"));
    TextResourceObject two = MakeTypicalCollection(2);
    std::string countThreeRecordsTwo = ToFileBytes(two);
    countThreeRecordsTwo.replace(20, 4, U32(3));
    files.emplace_back("count-3-records-2.trs", countThreeRecordsTwo);
    files.emplace_back("cut-record.trs", ToFileBytes(typical).substr(0, 100));
    files.emplace_back("bad-prefix.trs", Header(4, 1) + U32(1) + Str("ID") +
                                             std::string("\xFF\xFE\xFF", 3) + Str("text") +
                                             Str("c") + Str("s") + U32(5));
    files.emplace_back("huge-length.trs", Header(4, 1) + U32(7) +
                                              std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) +
                                              "rest of the data");
    files.emplace_back("huge-count.trs", Header(4, 0xFFFFFFFFu) + U32(1) + Str("A") + Str("") +
                                             Str("t") + Str("c") + Str("s") + U32(0));
    files.emplace_back("cut-header.trs", Header(4, 1).substr(0, 21));
    return files;
}

} // namespace testdata
