#include "DamageRefusal.h"

#include "ToolFiles.h"

#include <cstdio>

void AddInOut(CLI::App& command, InOutArguments& arguments, const std::string& in,
              const std::string& out) {
    AddOperand(command, "IN", arguments.input, in);
    AddOperand(command, "OUT", arguments.output, out);
}

void AddAcceptDamage(CLI::App& command, bool& acceptDamage) {
    AddFlag(command, "--accept-damage", acceptDamage,
            "go on with what could be read of a damaged IN");
}

DamageRefusal::DamageRefusal(std::string path, bool acceptDamage)
    : m_path(std::move(path)), m_acceptDamage(acceptDamage) {}

void DamageRefusal::Add(std::uint32_t position, const TextResourceEntry& entry) {
    m_tally.Add(position, entry, m_report.problems);
    m_report.problems.clear();
}

bool DamageRefusal::Allows() {
    return Tell(m_tally.Finish(m_report));
}

bool DamageRefusal::Allows(const TextResourceObject& loaded) {
    return Tell(check::DescribeLoadDamage(m_report, loaded));
}

bool DamageRefusal::Tell(const std::optional<check::LoadDamage>& damage) const {
    if (!damage)
        return true;
    std::string text = m_path + " is damaged: " + damage->first.detail + "\n";
    if (damage->more > 0)
        text += std::to_string(damage->more) +
                (damage->more == 1 ? " more problem" : " more problems") +
                "; lexarium-tool check lists them all.\n";
    text += m_acceptDamage ? "Going on with what could be read (--accept-damage).\n"
                           : "Nothing was written; --accept-damage goes on with what could be "
                             "read.\n";
    std::fputs(text.c_str(), stderr);
    return m_acceptDamage;
}

bool LoadAllowed(const std::string& path, bool acceptDamage, TextResourceObject& object) {
    DamageRefusal damage(path, acceptDamage);
    return Load(path.c_str(), object, &damage.Report()) && damage.Allows(object);
}

void ReadEntries(
    StreamedFile& file, DamageRefusal& damage,
    const std::function<void(std::uint32_t position, TextResourceEntry& entry)>& each) {
    TextResourceReader& reader = file.Reader();
    TextResourceEntry entry;
    while (reader.ReadEntry(entry)) {
        const std::uint32_t position = reader.EntriesRead() - 1;
        damage.Add(position, entry);
        each(position, entry);
    }
    reader.Finish();
}
