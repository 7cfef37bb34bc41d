#pragma once

// A file's bytes as the window tests compare them: "<missing>" when it cannot
// be read, so that a missing file never equals an empty one.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
