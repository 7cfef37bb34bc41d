// Qt's translations in the framework's language.

#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// The framework's strings are German, and so are Qt's.
const char* const kQtCatalog = "qtbase_de";
const QLocale::Language kLanguage = QLocale::German;
const QLocale::Territory kTerritory = QLocale::Germany;

} // namespace

bool AfxInstallQtTranslations() {
    // Qt's widgets write dates and numbers of their own (the file dialog's
    // sizes, the names of types) in the default locale; the program's own
    // numbers do not go through it.
    QLocale::setDefault(QLocale(kLanguage, kTerritory));
    static QPointer<QTranslator> s_translator; // owned by the application object
    if (s_translator != nullptr)
        return true;
    if (QCoreApplication::instance() == nullptr)
        return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Qt's own folder first, then one next to the program (where a bundle keeps it).
    const QString name = QString::fromLatin1(kQtCatalog);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(name, QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/translations"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    s_translator = translator;
    return true;
}
