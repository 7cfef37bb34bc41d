// Writes generated files: the sample file, files of typical entries for
// timing, and the seed corpus of the fuzzing.

#include "support/tsResult.h"
#include "support/tsSafeSave.h"
#include "testdata/TestData.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: lexarium-testdata sample OUT\n"
                         "       lexarium-testdata typical COUNT OUT\n"
                         "       lexarium-testdata corpus FOLDER\n");
    return 2;
}

int Save(const std::string& path, const std::string& bytes) {
    std::int32_t result = tsSaveFileSafely(path.c_str(), [&](tsOutputStream& out) {
        return out.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    });
    if (tsFailed(result)) {
        std::fprintf(stderr, "cannot write %s (0x%X)\n", path.c_str(),
                     static_cast<unsigned>(result));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "sample") == 0) {
        TextResourceObject sample = testdata::MakeSampleCollection();
        return Save(argv[2], testdata::ToFileBytes(sample));
    }
    if (argc == 4 && std::strcmp(argv[1], "typical") == 0) {
        char* end = nullptr;
        unsigned long count = std::strtoul(argv[2], &end, 10);
        if (end == argv[2] || *end != '\0' || count > 100000000ul)
            return Usage();
        TextResourceObject object =
            testdata::MakeTypicalCollection(static_cast<std::uint32_t>(count));
        return Save(argv[3], testdata::ToFileBytes(object));
    }
    if (argc == 3 && std::strcmp(argv[1], "corpus") == 0) {
        for (const auto& [name, bytes] : testdata::MakeSeedFiles())
            if (Save(std::string(argv[2]) + "/" + name, bytes) != 0)
                return 1;
        return 0;
    }
    return Usage();
}
