#include "DocumentMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString Native(const CString& path) {
    return QDir::toNativeSeparators(path);
}

QString Words(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// An identifier as the warning quotes it: at most a line's worth.
QString Quoted(const std::string& identifier) {
    constexpr qsizetype kLongest = 40;
    QString text = Words(identifier).simplified();
    if (text.size() > kLongest)
        text = text.left(kLongest - 1) + QChar(0x2026);
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The first problem as check words it, with the entry it is in.
QString Problem(const check::Finding& finding) {
    QString text;
    if (finding.OfEntry())
        text = QStringLiteral("position %1 (id %2, %3): ")
                   .arg(finding.position)
                   .arg(finding.id)
                   .arg(Quoted(finding.identifier));
    return text + Words(finding.detail);
}

} // namespace

CString LoadErrorMessage(const CString& path, const std::string& reason) {
    return QString::fromLatin1(kLoadErrorLine) +
           QStringLiteral("\n%1: %2.").arg(Native(path), Words(reason));
}

CString SaveErrorMessage(const CString& path, const std::string& reason, bool existed,
                         const std::string& backupPath) {
    CString text = QString::fromLatin1(kSaveErrorLine) +
                   QStringLiteral("\n%1: %2.").arg(Native(path), Words(reason));
    if (!backupPath.empty())
        text += QStringLiteral("\nThe file's previous content is kept in %1")
                    .arg(Native(QFile::decodeName(backupPath.c_str())));
    else if (existed)
        text += QStringLiteral("\nThe file that was there is unchanged.");
    return text;
}

CString DamageWarning(const CString& path, const check::LoadDamage& damage, std::uint32_t entries,
                      const CString& backupsFolder) {
    CString text =
        QStringLiteral("%1 is damaged: %2.").arg(QFileInfo(path).fileName(), Problem(damage.first));
    if (damage.more > 0)
        text += damage.more == 1
                    ? QStringLiteral("\n1 more problem; lexarium-tool check lists them all.")
                    : QStringLiteral("\n%1 more problems; lexarium-tool check lists them all.")
                          .arg(damage.more);
    if (entries == 1)
        text += damage.wholeEntries == 1 ? QStringLiteral("\nIts one entry was read whole.")
                                         : QStringLiteral("\nIts one entry was not read whole.");
    else
        text += QStringLiteral("\n%1 of its %2 entries %3 read whole.")
                    .arg(damage.wholeEntries)
                    .arg(entries)
                    .arg(damage.wholeEntries == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    text += QStringLiteral("\nThe first save keeps the original bytes in the backups folder, %1.")
                .arg(Native(backupsFolder));
    return text;
}
