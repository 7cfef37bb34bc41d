#include "exchange/Exporter.h"

#include "exchange/TextForms.h"
#include "model/CountCharacters.h"
#include "support/tsResult.h"

#include <cmath>

namespace exchange {

namespace {

bool HoldsText(const std::string& text) {
    return !text.empty() && text != kEmptyPlaceholder;
}

struct NamedField {
    const char* name;
    std::string_view value;
};

} // namespace

Exporter::Exporter(ExportOptions options, tsOutputStream& out)
    : m_options(std::move(options)), m_identifiers(1024) {
    m_writer = MakeUnitWriter(m_options.format, m_options.header, out);
    if (m_options.reference != nullptr)
        m_reference.emplace(*m_options.reference);
}

Exporter::~Exporter() = default;

std::int32_t Exporter::Begin() {
    m_result = m_writer->Begin();
    return m_result;
}

bool Exporter::Refuse(std::uint32_t position, const TextResourceEntry& entry,
                      std::string_view source) {
    const std::size_t before = m_refusals.size();
    auto refuse = [&](std::string detail) {
        m_refusals.push_back(ExportNote{position, entry.identifier, std::move(detail)});
    };
    std::vector<NamedField> fields = {
        {"identifier", entry.identifier}, {"audio file", ShownValue(entry.audioFile)},
        {"text", entry.text},             {"comment", ShownValue(entry.comment)},
        {"speaker", entry.speaker},
    };
    // Without a reference the source is the text itself, checked once.
    if (source.data() != entry.text.data())
        fields.push_back({"reference's text", source});
    const ExchangeFormat format = m_options.format;
    for (const NamedField& field : fields) {
        if (!IsUtf8(field.value)) {
            refuse(std::string("the ") + field.name + " holds bytes that are not UTF-8");
            continue;
        }
        const bool isText = field.value.data() == entry.text.data() ||
                            field.value.data() == source.data();
        if (format == ExchangeFormat::Xliff12 && !HoldsOnlyXmlCharacters(field.value))
            refuse(std::string("the ") + field.name +
                   " holds a control character that XLIFF 1.2 cannot carry");
        else if (format == ExchangeFormat::Xliff20 && !isText &&
                 !HoldsOnlyXmlCharacters(field.value))
            refuse(std::string("the ") + field.name +
                   " holds a control character that XLIFF 2.0 carries only in texts");
    }
    if (format == ExchangeFormat::Xliff20 && IsUtf8(entry.identifier) &&
        !IsNameToken(entry.identifier))
        refuse("the identifier is not an XML name token (no blanks, no \"/\"), as XLIFF 2.0 ids "
               "must be");
    const std::uint32_t first = m_identifiers.Remember(entry.identifier, position);
    if (first != position)
        refuse("the same identifier as the entry at position " + std::to_string(first) +
               ": a unit id must be unique");
    return m_refusals.size() != before;
}

std::optional<std::uint64_t> Exporter::LengthLimit(const TextResourceEntry& entry) const {
    if (!m_options.maxCps)
        return std::nullopt;
    std::optional<double> ms;
    if (m_options.recordingMs)
        ms = m_options.recordingMs(entry);
    else if (entry.lengthMs > 0)
        ms = entry.lengthMs;
    if (!ms)
        return std::nullopt;
    // A small allowance, so that 1.5 s at 10 per second is 15, not 14.
    return static_cast<std::uint64_t>(std::floor(*ms * *m_options.maxCps / 1000.0 + 1e-9));
}

void Exporter::Add(std::uint32_t position, const TextResourceEntry& entry) {
    std::string_view source = entry.text;
    bool translated = HoldsText(entry.text);
    if (m_reference) {
        if (const TextResourceEntry* reference = m_reference->Find(entry.identifier)) {
            source = reference->text;
            translated = translated && entry.text != reference->text;
        } else {
            translated = false;
            m_notInReference.push_back(ExportNote{
                position, entry.identifier, "not in the reference file; its own text is the source"});
        }
    }
    if (Refuse(position, entry, source) || !m_refusals.empty() || tsFailed(m_result))
        return;
    ExportUnit unit;
    unit.entry = &entry;
    unit.source = source;
    unit.target = entry.text;
    unit.translated = translated;
    unit.maxLength = LengthLimit(entry);
    if (unit.maxLength) {
        const std::uint64_t characters = CountSpokenCharacters(entry.text);
        if (characters > *unit.maxLength)
            m_overLimit.push_back(ExportNote{
                position, entry.identifier,
                "the text has " + std::to_string(characters) + " characters, over its limit of " +
                    std::to_string(*unit.maxLength)});
    }
    m_result = m_writer->Write(unit);
}

std::int32_t Exporter::Finish() {
    if (!m_refusals.empty())
        return E_ABORT;
    if (tsSucceeded(m_result))
        m_result = m_writer->End();
    return m_result;
}

} // namespace exchange
