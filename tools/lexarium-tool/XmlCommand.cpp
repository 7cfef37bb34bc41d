// lexarium-tool xml: the texts of a file as the model's XML document.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"

#include <memory>

namespace {

struct XmlArguments {
    std::string input;
    std::string output;
    bool acceptDamage = false;
};

int RunXml(const XmlArguments& arguments) {
    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    TextResourceObject object;
    if (!Load(arguments.input.c_str(), object, &damage.Report()) || !damage.Allows(object))
        return 1;
    return Save(arguments.output.c_str(),
                [&](tsOutputStream& stream) { return object.WriteXml(stream); });
}

} // namespace

void AddXmlCommand(CommandLine& line) {
    auto arguments = std::make_shared<XmlArguments>();
    CLI::App& command =
        line.AddCommand("xml", "IN OUT [--accept-damage]", "export the texts of IN as XML to OUT",
                        [arguments] { return RunXml(*arguments); });
    AddOperand(command, "IN", arguments->input, "the text resource file");
    AddOperand(command, "OUT", arguments->output, "the XML file written (Windows-1252)");
    AddAcceptDamage(command, arguments->acceptDamage);
}
