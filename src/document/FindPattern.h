// What find and replace looks for, compiled once: a literal text or a regular
// expression, with or without letter case, whole words only or anywhere.
// Letter case and word boundaries follow Unicode ("Kapit" is not a whole word
// of "Kapitän"). Matches are byte ranges of the stored field, each with the
// bytes that replace it.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FindOptions {
    QString find;
    QString replace;
    bool matchCase = false;
    bool wholeWords = false;
    bool regularExpression = false;
};

struct FieldMatch {
    std::size_t from = 0; // byte range of the stored field
    std::size_t to = 0;
    std::string replacement; // the bytes that take its place
};

class FindPattern {
public:
    explicit FindPattern(const FindOptions& options);

    // False for an empty find text or a pattern that does not compile.
    bool IsValid() const;
    // Why the pattern cannot be used, for the dialog; empty when it can.
    QString ErrorText() const;

    // Every match of the field, in order, not overlapping.
    std::vector<FieldMatch> Matches(std::string_view field) const;
    // The same into `matches` (emptied first), which a caller can reuse.
    void Matches(std::string_view field, std::vector<FieldMatch>& matches) const;
    // Whether a literal find text is looked for in the stored bytes directly
    // (where that finds exactly what the Unicode search finds).
    bool SearchesBytes() const { return m_bytePath; }
    // The first match that starts at or after byte `from`.
    std::optional<FieldMatch> NextMatch(std::string_view field, std::size_t from) const;

private:
    // A quick test that the field cannot match, for the common case of a
    // literal find text; true when the field must be looked at in full.
    bool MayMatch(std::string_view field) const;
    // The matches found in the stored bytes; false when this field needs the
    // Unicode search (letters beyond ASCII next to a whole-word match, or a
    // character that ignoring case matches an ASCII letter).
    bool ByteMatches(std::string_view field, std::vector<FieldMatch>& matches) const;
    void UnicodeMatches(std::string_view field, std::vector<FieldMatch>& matches) const;
    std::string Expand(const QRegularExpressionMatch& match, std::string_view field,
                       const std::vector<std::uint32_t>& byteAt) const;

    FindOptions m_options;
    QRegularExpression m_expression;
    std::string m_literal;       // the find text's bytes (literal mode)
    std::string m_literalFolded; // its longest ASCII run, letters in small letters
    bool m_asciiLiteral = false;
    bool m_foldsBeyondAscii = false; // holds k or s, which U+212A and U+017F match
    bool m_bytePath = false;
    std::string m_needle;      // the bytes the byte path looks for (ASCII in small letters
                               // when case is ignored)
    std::string m_replacement; // the replace text's bytes (literal mode)
};
