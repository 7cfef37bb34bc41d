// The one crossing between the entries' stored UTF-8 bytes and the text of the
// widgets. It is lossless both ways for valid UTF-8, so a translator's Polish,
// Greek or Japanese text is shown and stored as it is.
#pragma once

#include <QString>
#include <string>

inline QString FromUtf8(const std::string& stored) {
    return QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size()));
}

inline std::string ToUtf8(const QString& shown) {
    const QByteArray bytes = shown.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
