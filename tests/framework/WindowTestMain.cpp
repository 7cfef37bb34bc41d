// Test main for the window tests: an offscreen QApplication, and settings
// kept in a temporary folder so no test touches the user's own.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform warns about window features it has not got; the
// tests do not use them.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (g_previousHandler != nullptr)
        g_previousHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    g_previousHandler = qInstallMessageHandler(FilterMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
