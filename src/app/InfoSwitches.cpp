#include "InfoSwitches.h"

#include <ostream>
#include <string_view>

namespace {

constexpr std::string_view kHelp =
    "Usage: lexarium [FILE]\n"
    "Opens FILE, a text resource file (.trs), in the editor; without FILE it\n"
    "starts with a new, empty document.\n"
    "\n"
    "Switches (they may also start with \"/\", in any case):\n"
    "  -Embedding, -Automation   start without the start-up picture\n"
    "  -Unregister               remove the file association and the settings\n"
    "                            (also -Unregserver)\n"
    "  --help                    print this text (also -h, -?)\n"
    "  --version                 print the version\n"
    "\n"
    "Qt's own options work as in every Qt program, among them\n"
    "-platform NAME (offscreen, xcb, wayland), -style NAME and -display DISPLAY.\n";

bool AsksForHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h" || argument == "-?" || argument == "/?";
}

} // namespace

std::optional<int> RunInfoSwitch(int argc, const char* const* argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (AsksForHelp(argument)) {
            out << kHelp << std::flush;
            return 0;
        }
        if (argument == "--version") {
            out << "lexarium " << LEXARIUM_VERSION << '\n' << std::flush;
            return 0;
        }
    }
    return std::nullopt;
}
