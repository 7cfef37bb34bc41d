// The command line of lexarium-tool over CLI11. CLI11 reads the words; the
// errors are worded here, so that each says what was wrong and the exit
// status is 2 whatever the error, and the usage is the tool's own.

#include "CommandLine.h"

#include <cstdio>

namespace {

constexpr const char* kTool = "lexarium-tool";
// Where the summaries start in the usage.
constexpr std::size_t kSummaryColumn = 38;

std::string Quoted(const std::string& word) {
    return "\"" + word + "\"";
}

// The long name of an option ("--audio"), as it is given.
std::string NameOf(const CLI::Option& option) {
    return option.get_name(false, true);
}

// Words that CLI11 left over, as the user gave them: "--" ends the options.
std::vector<std::string> LeftOver(const CLI::App& app) {
    std::vector<std::string> words;
    for (const std::string& word : app.remaining())
        if (word != "--")
            words.push_back(word);
    return words;
}

// Flags take no value; CLI11 gives them no expected values.
bool TakesValue(const CLI::Option& option) {
    return option.get_expected_max() > 0;
}

bool LooksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

// Whether `words` hold the option as "--NAME" followed by `suffix`, before
// any "--"; with `prefix`, at the start of a word.
bool Given(const CLI::Option& option, const std::vector<std::string>& words,
           const std::string& suffix, bool prefix) {
    for (const std::string& word : words) {
        if (word == "--")
            return false;
        for (const std::string& name : option.get_lnames()) {
            const std::string given = "--" + name + suffix;
            if (prefix ? word.rfind(given, 0) == 0 : word == given)
                return true;
        }
    }
    return false;
}

// Lines set in as far as "usage: ", the first of them starting with it.
std::string AsUsage(std::string lines) {
    return lines.replace(0, 7, "usage: ");
}

} // namespace

CommandLine::CommandLine() : m_app("", kTool) {
    m_app.set_help_flag("-h,--help");
    m_app.set_version_flag("--version", std::string(kTool) + " " + LEXARIUM_VERSION);
    m_app.allow_extras();
    m_app.require_subcommand(0, 1);
    CLI::App& help = AddCommand("help", "[COMMAND]", "this text, or the usage of one command",
                                [this] { return Help(m_helpTopic.value_or("")); });
    help.add_option_function<std::string>(
        "COMMAND", [this](const std::string& name) { m_helpTopic = name; },
        "the command to tell about");
}

CLI::App& CommandLine::AddCommand(const std::string& name, const std::string& synopsis,
                                  const std::string& summary, std::function<int()> run) {
    CLI::App* app = m_app.add_subcommand(name, summary);
    app->set_help_flag("-h,--help");
    // Left over words are told apart in Mistake: an unknown option, an extra operand.
    app->allow_extras();
    m_commands.push_back(Command{app, synopsis, summary, std::move(run)});
    return *app;
}

const CommandLine::Command* CommandLine::Find(const std::string& name) const {
    for (const Command& command : m_commands)
        if (command.app->get_name() == name)
            return &command;
    return nullptr;
}

std::string CommandLine::Usage() const {
    std::string usage;
    for (const Command& command : m_commands)
        if (command.app->get_name() != "help")
            usage += CommandUsage(command, false);
    usage += CommandUsage(*Find("help"), false);
    std::string version = std::string(kTool) + " --version";
    usage += "       " + version + std::string(kSummaryColumn - 7 - version.size(), ' ') +
             "the version\n";
    return AsUsage(usage);
}

std::string CommandLine::CommandUsage(const Command& command, bool full) const {
    std::string usage = "       " + std::string(kTool) + " " + command.app->get_name();
    if (!command.synopsis.empty())
        usage += " " + command.synopsis;
    const std::string indent(kSummaryColumn, ' ');
    usage += usage.size() + 2 <= kSummaryColumn ? std::string(kSummaryColumn - usage.size(), ' ')
                                                : "\n" + indent;
    for (char c : command.summary)
        usage += c == '\n' ? "\n" + indent : std::string(1, c);
    usage += "\n";
    if (!full)
        return usage;
    std::string details;
    for (const CLI::Option* option : command.app->get_options()) {
        if (option == command.app->get_help_ptr())
            continue;
        std::string name = option->get_positional() ? option->get_name() : NameOf(*option);
        if (!option->get_positional() && TakesValue(*option))
            name += " " + option->get_type_name();
        details += "  " + name + std::string(name.size() < 20 ? 20 - name.size() : 1, ' ') +
                   option->get_description() + "\n";
    }
    return AsUsage(details.empty() ? usage : usage + "\n" + details);
}

int CommandLine::Fail(const Command* command, const std::string& what) const {
    std::string text = std::string(kTool);
    if (command != nullptr)
        text += " " + command->app->get_name();
    text += ": " + what + "\n";
    text += command != nullptr ? AsUsage(CommandUsage(*command, false)) : Usage();
    std::fputs(text.c_str(), stderr);
    return 2;
}

int CommandLine::Help(const std::string& name) const {
    if (name.empty()) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    const Command* command = Find(name);
    if (command == nullptr)
        return Fail(nullptr, "unknown command " + Quoted(name));
    std::fputs(CommandUsage(*command, true).c_str(), stdout);
    return 0;
}

std::string CommandLine::Mistake(const Command& command,
                                 const std::vector<std::string>& words) const {
    for (const CLI::Option* option : command.app->get_options()) {
        if (option->get_positional())
            continue;
        if (option->count() > 1 &&
            option->get_multi_option_policy() != CLI::MultiOptionPolicy::TakeAll)
            return "option " + NameOf(*option) + " is given more than once";
        // CLI11 counts values: an option seen without its value has none.
        if (TakesValue(*option) && option->count() == 0 &&
            (Given(*option, words, "", false) || Given(*option, words, "=", false)))
            return "option " + NameOf(*option) + " needs a value (" + option->get_type_name() + ")";
        if (!TakesValue(*option) && Given(*option, words, "=", true))
            return "option " + NameOf(*option) + " takes no value";
    }
    std::vector<std::string> extra = LeftOver(*command.app);
    const std::vector<std::string> outer = LeftOver(m_app);
    extra.insert(extra.end(), outer.begin(), outer.end());
    if (!extra.empty()) {
        // An option-like word after "--" is an operand.
        bool operand = !LooksLikeOption(extra.front());
        for (std::size_t i = 0; i < words.size() && !operand && words[i] != extra.front(); ++i)
            operand = words[i] == "--";
        return (operand ? "extra operand " : "unknown option ") + Quoted(extra.front());
    }
    for (const CLI::Option* option : command.app->get_options())
        if (option->get_positional() && option->get_required() && option->count() == 0)
            return "missing operand " + option->get_name();
    return {};
}

int CommandLine::Run(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const Command* command = nullptr;
    auto parsed = [&]() -> const Command* {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        return chosen.empty() ? nullptr : Find(chosen.front()->get_name());
    };
    std::string caught;
    try {
        m_app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        command = parsed();
        return Help(command != nullptr ? command->app->get_name() : "");
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return 0;
    } catch (const CLI::ParseError& error) {
        caught = error.what();
    }
    command = parsed();
    if (command == nullptr) {
        const std::vector<std::string> extra = LeftOver(m_app);
        if (extra.empty())
            return Fail(nullptr, caught.empty() ? "missing command" : caught);
        const std::string& first = extra.front();
        return Fail(nullptr, (LooksLikeOption(first) ? "unknown option " : "unknown command ") +
                                 Quoted(first));
    }
    const std::string mistake = Mistake(*command, words);
    if (!mistake.empty())
        return Fail(command, mistake);
    if (!caught.empty())
        return Fail(command, caught);
    return command->run();
}

CLI::Option* AddOperand(CLI::App& command, const std::string& name, std::string& value,
                        const std::string& description) {
    return command.add_option(name, value, description)->required();
}

CLI::Option* AddValueOption(CLI::App& command, const std::string& name,
                            const std::string& valueName, std::optional<std::string>& value,
                            const std::string& description) {
    return command
        .add_option_function<std::string>(
            name, [&value](const std::string& given) { value = given; }, description)
        ->type_name(valueName);
}

CLI::Option* AddRequiredOption(CLI::App& command, const std::string& name,
                               const std::string& valueName, std::string& value,
                               const std::string& description) {
    return command.add_option(name, value, description)->required()->type_name(valueName);
}

CLI::Option* AddRepeatedOption(CLI::App& command, const std::string& name,
                               const std::string& valueName, std::vector<std::string>& values,
                               const std::string& description) {
    return command.add_option(name, values, description)
        ->type_name(valueName)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

CLI::Option* AddFlag(CLI::App& command, const std::string& name, bool& value,
                     const std::string& description) {
    return command.add_flag(name, value, description);
}
