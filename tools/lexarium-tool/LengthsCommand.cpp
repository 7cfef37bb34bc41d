// lexarium-tool lengths: the stored lengths set to the real lengths of the
// recordings. Only a current file that the writer gives back byte for byte is
// taken, so that OUT differs from IN in the changed lengths alone.

#include "CommandLine.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "check/LoadDamage.h"
#include "check/RecordedList.h"
#include "check/RecordingLengths.h"
#include "check/RegularFile.h"
#include "model/TextResourceFormat.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

struct LengthsArguments {
    std::string input;
    std::string output;
    std::string folder;
    std::optional<std::string> tolerance;
};

bool ReadWhole(const std::string& path, std::string& bytes, std::string& reason) {
    std::uint64_t size = 0;
    const int fd = check::OpenRegularFile(path, reason, &size);
    if (fd < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            reason = got < 0 ? std::strerror(errno) : "it became shorter while it was read";
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return true;
}

// Why `object`, loaded from `bytes`, would not be written back as it was;
// empty when it would.
std::string WhyNotAsWritten(const std::string& bytes, TextResourceObject& object,
                            const TextResourceReadReport& report) {
    if (auto damage = check::DescribeLoadDamage(report, object))
        return "it is damaged: " + damage->first.detail;
    if (report.MagicDiffers())
        return "it does not start with the magic of a text resource file";
    if (report.version != trs::kCurrentVersion)
        return "it is a file of version " + std::to_string(report.version) + ", not " +
               std::to_string(trs::kCurrentVersion);
    tsMemoryStream written;
    written.Reserve(bytes.size());
    object.Write(written);
    const std::string& again = written.Data();
    if (again == bytes)
        return {};
    std::size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at])
        ++at;
    return "the writer would not give it back as it is (from byte " + std::to_string(at) + " on)";
}

int RunLengths(const LengthsArguments& arguments) {
    std::uint32_t tolerance = 0;
    if (arguments.tolerance) {
        const std::string& text = *arguments.tolerance;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), tolerance);
        if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
            std::fprintf(stderr,
                         "lengths: --tolerance \"%s\" is not a whole number of milliseconds\n",
                         text.c_str());
            return 2;
        }
    }
    if (!CheckReadableFolder(arguments.folder.c_str()))
        return 1;
    const char* input = arguments.input.c_str();
    std::string bytes;
    std::string reason;
    if (!ReadWhole(arguments.input, bytes, reason)) {
        ReportLoadFailure();
        std::fprintf(stderr, "Cannot read %s: %s\n", input, reason.c_str());
        return 1;
    }
    TextResourceObject object;
    TextResourceReadReport report;
    {
        tsMemoryStream stream(bytes);
        if (tsFailed(object.Read(stream, report))) {
            ReportLoadFailure();
            return 1;
        }
    }
    reason = WhyNotAsWritten(bytes, object, report);
    if (!reason.empty()) {
        std::fprintf(stderr,
                     "%s is refused: %s. Nothing was written; lexarium-tool convert makes a "
                     "current file of it first.\n",
                     input, reason.c_str());
        return 1;
    }
    bytes = std::string(); // the object holds it all now

    const std::optional<check::LengthsMeasured> measured =
        check::MeasureLengths(object, arguments.folder, tolerance);
    for (const std::string& path : measured->unmeasured)
        std::fprintf(stderr, "%s: its length is not known (it does not decode); left as it is\n",
                     path.c_str());
    check::ApplyLengths(object, measured->changes);
    const int status =
        Save(arguments.output.c_str(), [&](tsOutputStream& out) { return object.Write(out); });
    if (status != 0)
        return status;
    std::string text;
    for (const check::LengthChange& change : measured->changes)
        text += check::EscapeField(change.identifier) + "\t" + std::to_string(change.oldMs) + "\t" +
                std::to_string(change.newMs) + "\n";
    text += "changed\t" + std::to_string(measured->changes.size()) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

} // namespace

void AddLengthsCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<LengthsArguments>(
        "lengths", "IN OUT --audio FOLDER [--tolerance MS]",
        "save IN as OUT with the real lengths of the\nrecordings where the stored ones differ",
        RunLengths);
    AddOperand(command, "IN", arguments.input, "a current text resource file");
    AddOperand(command, "OUT", arguments.output, "the file written");
    AddRequiredOption(command, "--audio", "FOLDER", arguments.folder, "the folder of recordings");
    AddValueOption(command, "--tolerance", "MS", arguments.tolerance,
                   "leave lengths that differ by at most MS milliseconds (default 0)");
}
