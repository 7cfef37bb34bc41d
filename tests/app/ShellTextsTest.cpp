// What the editor says of itself outside its documents: --help and --version
// on standard output before any window, and Qt's file dialog in the
// framework's language, dates, sizes and the ".trs" type's name included.

#include "LexariumAppFixture.h"
#include "ResourceIds.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <filesystem>

namespace {

struct EditorRun {
    int status = -1;
    std::string out;
};

// Runs the editor as a user would, without any display.
EditorRun RunEditor(const std::string& arguments) {
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" LEXARIUM_EDITOR_PATH "' " +
        arguments + " 2>&1";
    EditorRun run;
    std::FILE* output = ::popen(command.c_str(), "r");
    if (output == nullptr)
        return run;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, output)) > 0)
        run.out.append(buffer, got);
    const int raw = ::pclose(output);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace

TEST(EditorCommandLine, HelpAndVersionPrintAndEndBeforeAnyWindow) {
    const EditorRun version = RunEditor("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lexarium " LEXARIUM_VERSION "\n");
    for (const char* help : {"--help", "-h", "some.trs --help"}) {
        const EditorRun run = RunEditor(help);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.out.rfind("Usage: lexarium [FILE]\n", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("-Embedding, -Automation"), std::string::npos) << run.out;
    }
}

using QtTexts = LexariumAppFixture;

TEST_F(QtTexts, TheOpenDialogNamesTheDocumentTypeAndWritesDatesAndSizesInGerman) {
    const QString trs = MakeTrs("mission.trs", {std::string(3000, 'x')});
    app->SetPromptHandler(std::make_unique<CQtPromptHandler>());
    QString type;
    QString date;
    QString size;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (dialog->directory().absolutePath() != QFileInfo(trs).path())
            dialog->setDirectory(QFileInfo(trs).path());
        auto* view = dialog->findChild<QAbstractItemView*>("treeView");
        QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
            const QModelIndex name = model->index(row, 0, view->rootIndex());
            if (name.data().toString() != "mission.trs")
                continue;
            size = name.siblingAtColumn(1).data().toString();
            type = name.siblingAtColumn(2).data().toString();
            date = name.siblingAtColumn(3).data().toString();
        }
        if (!type.isEmpty())
            dialog->reject();
    });
    poll.start(20);
    QTimer::singleShot(5000, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(type, "Quern Document");
    EXPECT_EQ(date, german.toString(QFileInfo(trs).lastModified(), QLocale::ShortFormat));
    EXPECT_EQ(size, german.formattedDataSize(QFileInfo(trs).size()));
    EXPECT_TRUE(size.contains(',')) << size.toStdString();
}
