// The one crossing between the entries' stored UTF-8 bytes and the text of the
// widgets. It is lossless both ways, so a translator's Polish, Greek or
// Japanese text is shown and stored as it is, and so are bytes that are no
// UTF-8 at all (a damaged or foreign file): each such byte is carried as the
// lone surrogate U+DC80 to U+DCFF and written back as the same byte.
#pragma once

#include <QString>
#include <string>

QString FromUtf8(const std::string& stored);
std::string ToUtf8(const QString& shown);
