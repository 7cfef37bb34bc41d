#pragma once

// The command line of lexarium-tool, parsed with CLI11: the commands, their
// operands and options, the usage, `help [COMMAND]`, `COMMAND --help` and
// `--version`, and the errors. An error names what was wrong on its first
// line (an unknown command or option, an option without its value or a flag
// with one, a missing or extra operand, an option given twice), then prints
// the usage of the command (or the general usage), and the tool exits with
// status 2.
//
// A command is added by a function of its own file (see ToolCommands.h):
//
//     void AddFooCommand(CommandLine& line) {
//         auto [command, arguments] = line.AddCommandWith<FooArguments>(
//             "foo", "IN OUT [--bar NAME]", "what foo does, in one or two lines", RunFoo);
//         AddOperand(command, "IN", arguments.input, "the text resource file");
//         AddOperand(command, "OUT", arguments.output, "the file written");
//         AddValueOption(command, "--bar", "NAME", arguments.bar, "what --bar does");
//     }
//
// and a call in main.cpp, in the order the usage lists the commands. The
// values live in a struct that the command keeps because CLI11 writes them
// while parsing, before the command runs.

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class CommandLine {
public:
    CommandLine();

    // Adds a command. `synopsis` is what follows its name in the usage,
    // `summary` what it does (lines separated by "\n"); `run` is called after
    // a parse without error and gives the exit status.
    CLI::App& AddCommand(const std::string& name, const std::string& synopsis,
                         const std::string& summary, std::function<int()> run);

    // The same, with the values of its operands and options in an `Arguments`
    // that the command keeps: the command and those values, for declaring the
    // operands and options; `run` is given them, and this command line when it
    // takes it (for UsageError).
    template <class Arguments, class Run>
    std::pair<CLI::App&, Arguments&> AddCommandWith(const std::string& name,
                                                    const std::string& synopsis,
                                                    const std::string& summary, Run run) {
        auto arguments = std::make_shared<Arguments>();
        CLI::App& command = AddCommand(name, synopsis, summary, [this, arguments, run] {
            if constexpr (std::is_invocable_v<Run, const CommandLine&, const Arguments&>)
                return run(*this, *arguments);
            else
                return run(*arguments);
        });
        return {command, *arguments};
    }

    // Parses the arguments and runs the command: the exit status.
    int Run(int argc, char** argv);

    // The general usage: every command with its synopsis and summary.
    std::string Usage() const;

    // For a mistake that a command finds in its options itself (a value out
    // of range, an option that needs another): prints it as a mistake of the
    // command line: the exit status 2.
    int UsageError(const std::string& command, const std::string& what) const {
        return Fail(Find(command), what);
    }

private:
    struct Command {
        CLI::App* app; // owned by m_app
        std::string synopsis;
        std::string summary;
        std::function<int()> run;
    };

    // The usage of one command, with its operands and options when `full`.
    std::string CommandUsage(const Command& command, bool full) const;
    const Command* Find(const std::string& name) const;
    // The first thing wrong that CLI11 let pass; empty when none.
    std::string Mistake(const Command& command, const std::vector<std::string>& words) const;
    // Prints the error and the usage of `command` (or the general usage):
    // the exit status 2.
    int Fail(const Command* command, const std::string& what) const;
    int Help(const std::string& name) const;

    CLI::App m_app;
    std::vector<Command> m_commands;
    std::optional<std::string> m_helpTopic; // the operand of `help`
};

// An operand of `command`, required: `name` as the usage shows it.
CLI::Option* AddOperand(CLI::App& command, const std::string& name, std::string& value,
                        const std::string& description);
// An option that takes a value, shown as `valueName`; at most once.
CLI::Option* AddValueOption(CLI::App& command, const std::string& name,
                            const std::string& valueName, std::optional<std::string>& value,
                            const std::string& description);
// An option that takes a value and must be given: `valueName` as the usage shows it.
CLI::Option* AddRequiredOption(CLI::App& command, const std::string& name,
                               const std::string& valueName, std::string& value,
                               const std::string& description);
// An option that takes a value and may be given again, each time with one value.
CLI::Option* AddRepeatedOption(CLI::App& command, const std::string& name,
                               const std::string& valueName, std::vector<std::string>& values,
                               const std::string& description);
// An option without a value; at most once.
CLI::Option* AddFlag(CLI::App& command, const std::string& name, bool& value,
                     const std::string& description);
