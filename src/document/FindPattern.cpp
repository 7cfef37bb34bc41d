#include "FindPattern.h"

#include "AsciiFold.h"
#include "DecodedField.h"

#include <algorithm>

namespace {

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

FindPattern::FindPattern(const FindOptions& options) : m_options(options) {
    QString pattern =
        options.regularExpression ? options.find : QRegularExpression::escape(options.find);
    if (options.wholeWords)
        pattern = QStringLiteral("(?<!\\w)(?:%1)(?!\\w)").arg(pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    m_expression.setPattern(pattern);
    m_expression.setPatternOptions(flags);
    m_expression.optimize();

    if (!options.regularExpression) {
        const QByteArray bytes = options.find.toUtf8();
        m_literal.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        m_asciiLiteral = IsAscii(m_literal);
        // Ignoring case, a match holds the find text's ASCII letters in some
        // case: its longest ASCII run is a quick test for every field.
        std::string_view run;
        for (std::size_t i = 0; i < m_literal.size();) {
            std::size_t j = i;
            while (j < m_literal.size() && static_cast<unsigned char>(m_literal[j]) < 0x80)
                ++j;
            if (j - i > run.size())
                run = std::string_view(m_literal).substr(i, j - i);
            i = j + 1;
        }
        for (char c : run)
            m_literalFolded += AsciiLower(c);
        m_foldsBeyondAscii = m_literalFolded.find_first_of("ks") != std::string::npos;

        const QByteArray replacement = options.replace.toUtf8();
        m_replacement.assign(replacement.constData(), static_cast<std::size_t>(replacement.size()));
        // The stored bytes can be searched directly when they decode to what
        // the find text is: not for a U+FFFD (bytes that are no UTF-8 read as
        // one too), not for a find text that is no clean UTF-16, and ignoring
        // case only for ASCII, whose other cases are known.
        m_bytePath = !m_literal.empty() && QString::fromUtf8(bytes) == options.find &&
                     m_literal.find("\xEF\xBF\xBD") == std::string::npos &&
                     (options.matchCase || m_asciiLiteral);
        m_needle = m_literal;
        if (!options.matchCase)
            std::transform(m_needle.begin(), m_needle.end(), m_needle.begin(), AsciiLower);
    }
}

bool FindPattern::IsValid() const {
    return !m_options.find.isEmpty() && m_expression.isValid();
}

QString FindPattern::ErrorText() const {
    if (m_options.find.isEmpty())
        return QStringLiteral("Type the text to find.");
    if (!m_expression.isValid())
        return QStringLiteral("The regular expression is not valid: %1 (at character %2).")
            .arg(m_expression.errorString())
            .arg(m_expression.patternErrorOffset());
    return {};
}

bool FindPattern::MayMatch(std::string_view field) const {
    if (m_options.regularExpression || m_literal.empty())
        return true;
    if (m_options.matchCase) {
        // A stored U+FFFD and bytes that are no UTF-8 read the same: let the
        // full match tell them apart.
        if (m_literal.find("\xEF\xBF\xBD") != std::string::npos)
            return true;
        return field.find(m_literal) != std::string_view::npos;
    }
    if (m_literalFolded.empty() || (!m_asciiLiteral && m_literalFolded.size() < 2))
        return true;
    if (FindAsciiFolded(field, m_literalFolded) != std::string_view::npos)
        return true;
    // The Kelvin sign and the long s match k and s when case is ignored.
    return m_foldsBeyondAscii && (field.find("\xE2\x84\xAA") != std::string_view::npos ||
                                  field.find("\xC5\xBF") != std::string_view::npos);
}

std::string FindPattern::Expand(const QRegularExpressionMatch& match, std::string_view field,
                                const std::vector<std::uint32_t>& byteAt) const {
    if (!m_options.regularExpression)
        return m_replacement;
    // \1 to \99 put in what the group matched, byte for byte as stored; \\ is
    // one backslash; any other backslash stays as typed.
    std::string out;
    const QString& replace = m_options.replace;
    QString literal;
    auto flush = [&] {
        const QByteArray bytes = literal.toUtf8();
        out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        literal.clear();
    };
    for (qsizetype i = 0; i < replace.size(); ++i) {
        const QChar c = replace[i];
        if (c == u'\\' && i + 1 < replace.size()) {
            const QChar next = replace[i + 1];
            if (next == u'\\') {
                literal += c;
                ++i;
                continue;
            }
            if (next.isDigit() && next.unicode() < 0x80) {
                int group = next.digitValue();
                qsizetype used = 1;
                if (i + 2 < replace.size() && replace[i + 2].isDigit() &&
                    replace[i + 2].unicode() < 0x80) {
                    const int two = group * 10 + replace[i + 2].digitValue();
                    if (two <= m_expression.captureCount()) {
                        group = two;
                        used = 2;
                    }
                }
                if (group <= m_expression.captureCount()) {
                    flush();
                    if (match.capturedStart(group) >= 0) {
                        const std::uint32_t from = byteAt[match.capturedStart(group)];
                        const std::uint32_t to = byteAt[match.capturedEnd(group)];
                        out.append(field.substr(from, to - from));
                    }
                    i += used;
                    continue;
                }
            }
        }
        literal += c;
    }
    flush();
    return out;
}

std::vector<FieldMatch> FindPattern::Matches(std::string_view field) const {
    std::vector<FieldMatch> matches;
    Matches(field, matches);
    return matches;
}

void FindPattern::Matches(std::string_view field, std::vector<FieldMatch>& matches) const {
    matches.clear();
    if (!IsValid())
        return;
    if (m_bytePath && ByteMatches(field, matches))
        return;
    matches.clear();
    if (MayMatch(field))
        UnicodeMatches(field, matches);
}

void FindPattern::UnicodeMatches(std::string_view field, std::vector<FieldMatch>& matches) const {
    // Most fields hold no match: Qt's decoder gives the same text for valid
    // UTF-8 and is quicker, and the byte offsets are only worked out for a
    // field that matches. A U+FFFD in its text may stand for bytes that are no
    // UTF-8, which our decoder reads differently: those fields take it.
    const bool bom = field.starts_with("\xEF\xBB\xBF");
    if (!bom) {
        const QString quick = QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
        if (!quick.contains(QChar(0xFFFD)) && !m_expression.match(quick).hasMatch())
            return;
    }
    const DecodedField decoded = DecodeField(field);
    QRegularExpressionMatchIterator it = m_expression.globalMatch(decoded.text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        FieldMatch found;
        found.from = decoded.byteAt[match.capturedStart()];
        found.to = decoded.byteAt[match.capturedEnd()];
        found.replacement = Expand(match, field, decoded.byteAt);
        matches.push_back(std::move(found));
    }
}

std::optional<FieldMatch> FindPattern::NextMatch(std::string_view field, std::size_t from) const {
    for (FieldMatch& match : Matches(field))
        if (match.from >= from)
            return std::move(match);
    return std::nullopt;
}
