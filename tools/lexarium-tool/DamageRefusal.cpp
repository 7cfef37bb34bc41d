#include "DamageRefusal.h"

#include <cstdio>

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
