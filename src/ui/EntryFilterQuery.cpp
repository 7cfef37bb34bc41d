#include "EntryFilterQuery.h"

#include "EntryFoldIndex.h"
#include "EntryText.h"

namespace {

// Splits at blanks; a double quote keeps blanks inside a token until the
// closing quote (which may be missing while the user still types).
std::vector<QString> Tokens(const QString& text) {
    std::vector<QString> tokens;
    QString token;
    bool quoted = false;
    bool any = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c.isSpace() && !quoted) {
            if (any)
                tokens.push_back(token);
            token.clear();
            any = false;
        } else {
            token += c;
            any = true;
        }
    }
    if (any)
        tokens.push_back(token);
    return tokens;
}

std::string Folded(const QString& text) {
    return FoldForFilter(ToUtf8(text));
}

// An id as the user writes it: unsigned, or signed as the search shows it.
std::optional<std::uint32_t> ParseId(const QString& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (ok && value <= 0xFFFFFFFFull)
        return static_cast<std::uint32_t>(value);
    const qlonglong signedValue = text.toLongLong(&ok);
    if (ok && signedValue < 0 && signedValue >= -2147483648LL)
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(signedValue));
    return std::nullopt;
}

} // namespace

EntryFilterQuery ParseEntryFilter(const QString& text) {
    EntryFilterQuery query;
    for (const QString& token : Tokens(text)) {
        const qsizetype colon = token.indexOf(u':');
        const QString prefix = colon > 0 ? token.left(colon).toLower() : QString();
        const QString value = colon > 0 ? token.mid(colon + 1) : QString();
        if (prefix == u"speaker") {
            if (!value.isEmpty())
                query.speaker = Folded(value);
        } else if (prefix == u"id") {
            if (value.isEmpty())
                continue; // still being typed
            const std::optional<std::uint32_t> id = ParseId(value.trimmed());
            if (!id || (query.id && *query.id != *id))
                query.noMatch = true;
            else
                query.id = id;
        } else if (prefix == u"problem" || prefix == u"problems") {
            query.problems = true;
        } else if (!token.isEmpty()) {
            query.words.push_back(Folded(token));
        }
    }
    return query;
}
