#include "EntryText.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `pos`, or 0.
std::size_t SequenceLength(const std::string& bytes, std::size_t pos) {
    const auto at = [&](std::size_t i) {
        return pos + i < bytes.size() ? static_cast<unsigned char>(bytes[pos + i]) : 0;
    };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    // The ranges of the second byte that rule out overlong forms, surrogates
    // and values above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(at(i)))
            return 0;
    }
    return length;
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
