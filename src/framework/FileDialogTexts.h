#pragma once

// What Qt's file dialog shows of the files, in the framework's language: the
// program's own file type by its name, and sizes and dates in the German
// locale, like the dialog's words (Qt itself formats them for the system's
// locale, which is often C: "9 Dec", "3.68 KiB").

#include "AfxDefs.h"

#include <QFileIconProvider>
#include <QIdentityProxyModel>

// Names the type of files with one extension (such as ".trs"), where the
// system may know no name for it and the type column would read "unknown".
class CFileTypeNames : public QFileIconProvider {
public:
    CFileTypeNames(const CString& ext, const CString& name) : m_ext(ext), m_name(name) {}

    QString type(const QFileInfo& info) const override;

private:
    CString m_ext;
    CString m_name;
};

// Sits between the dialog's file-system model and its views and writes the
// size and date columns with the application's default locale.
class CFileDialogLocaleModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
