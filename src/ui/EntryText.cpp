#include "EntryText.h"

#include "platform/Win32CodePage.h"

namespace {

// The length of the well-formed UTF-8 sequence at `pos`, or 0.
std::size_t SequenceLength(const std::string& bytes, std::size_t pos) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data()) + pos;
    if (*at < 0x80)
        return 1; // most text is ASCII: no call for it
    const platform::Utf8Sequence sequence = platform::DecodeUtf8(at, bytes.size() - pos);
    return sequence.valid ? sequence.length : 0;
}

} // namespace

QString FromUtf8(const std::string& stored) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(stored.size()));
    std::size_t pos = 0;
    while (pos < stored.size()) {
        std::size_t run = pos;
        std::size_t length = 0;
        while (run < stored.size() && (length = SequenceLength(stored, run)) != 0)
            run += length;
        shown += QString::fromUtf8(stored.data() + pos, static_cast<qsizetype>(run - pos));
        if (run < stored.size()) {
            shown += QChar(char16_t(0xDC00 + static_cast<unsigned char>(stored[run])));
            ++run;
        }
        pos = run;
    }
    return shown;
}

std::string ToUtf8(const QString& shown) {
    std::string stored;
    stored.reserve(static_cast<std::size_t>(shown.size()));
    qsizetype pos = 0;
    while (pos < shown.size()) {
        qsizetype run = pos;
        // Runs of well-formed text go through Qt's encoder at once.
        while (run < shown.size()) {
            const QChar c = shown[run];
            if (c.isHighSurrogate() && run + 1 < shown.size() && shown[run + 1].isLowSurrogate())
                run += 2;
            else if (!c.isSurrogate())
                ++run;
            else
                break;
        }
        const QByteArray bytes = QStringView(shown).mid(pos, run - pos).toUtf8();
        stored.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (run < shown.size()) {
            const char16_t unit = shown[run].unicode();
            if (unit >= 0xDC80 && unit <= 0xDCFF)
                stored += static_cast<char>(unit - 0xDC00);
            else
                stored += "\xEF\xBF\xBD"; // a lone surrogate from elsewhere has no bytes
            ++run;
        }
        pos = run;
    }
    return stored;
}
