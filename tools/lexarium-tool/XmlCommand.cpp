// lexarium-tool xml: the texts of a file as the model's XML document.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"

namespace {

int RunXml(const InOutArguments& arguments) {
    TextResourceObject object;
    if (!LoadAllowed(arguments.input, arguments.acceptDamage, object))
        return 1;
    return Save(arguments.output.c_str(),
                [&](tsOutputStream& stream) { return object.WriteXml(stream); });
}

} // namespace

void AddXmlCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<InOutArguments>(
        "xml", "IN OUT [--accept-damage]", "export the texts of IN as XML to OUT", RunXml);
    AddInOut(command, arguments, "the text resource file", "the XML file written (Windows-1252)");
    AddAcceptDamage(command, arguments.acceptDamage);
}
