#include "FileDialogTexts.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

} // namespace

QString CFileTypeNames::type(const QFileInfo& info) const {
    if (!m_ext.isEmpty() && info.isFile() && info.fileName().endsWith(m_ext, Qt::CaseInsensitive))
        return m_name;
    return QFileIconProvider::type(info);
}

QVariant CFileDialogLocaleModel::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale locale;
    if (index.column() == kDateColumn)
        return locale.toString(files->lastModified(source), QLocale::ShortFormat);
    if (files->isDir(source))
        return QIdentityProxyModel::data(index, role); // folders show no size
    return locale.formattedDataSize(files->size(source));
}
