// The start-up picture (shown once, not with "Embedding", taken down by the
// first key or click alone or by its timer once the loop runs, left out when
// it cannot be loaded) and the About box on its template.

#include "AboutDlg.h"
#include "AppResources.h"
#include "DialogTemplate.h"
#include "LexariumAppFixture.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "SplashWnd.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {

QImage Rgb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class SplashTest : public LexariumAppFixture {
protected:
    void SetUp() override { Settings().clear(); }
    CSplashWnd* Splash() const { return CSplashWnd::s_pInstance; }
    QWidget* ToolButton(UINT nID) const {
        return Frame()->m_wndToolBar.GetToolBar()->widgetForAction(Frame()->FindCommandAction(nID));
    }
};

TEST_F(SplashTest, ShownOnceOverTheStartingFrameAndNotWithEmbeddingOrAutomation) {
    Start({}, true);
    ASSERT_TRUE(started);
    CSplashWnd* splash = Splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->isWindow());
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->parentWidget(), Frame()) << "owned by the frame";
    EXPECT_EQ(splash->size(), QSize(350, 511));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(splash->geometry(),
              QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(350, 511), area));
    EXPECT_EQ(Rgb(splash->grab()), Rgb(splash->m_bitmap.GetPixmap())) << "the whole picture";

    CSplashWnd::ShowSplashScreen(Frame());
    EXPECT_EQ(Splash(), splash) << "one at a time";
    splash->HideSplashScreen();
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_FALSE(splash->isVisible());
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Splash(), nullptr) << "the frame is made once, and so is the picture";

    for (const char* flag : {"/Embedding", "-automation"}) {
        Start({QString::fromLatin1(flag)}, true);
        EXPECT_TRUE(started) << flag;
        EXPECT_EQ(Splash(), nullptr) << flag;
    }
}

TEST_F(SplashTest, FirstClickOrKeyOnlyRemovesIt) {
    // A click on a toolbar button runs nothing; the next one does.
    Start({}, true);
    Activate();
    ASSERT_NE(Splash(), nullptr);
    QWidget* newEntry = ToolButton(ID_ENTRY_NEW);
    ASSERT_NE(newEntry, nullptr);
    QTest::mouseClick(newEntry, Qt::LeftButton);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    QTest::mouseClick(newEntry, Qt::LeftButton);
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 1u);

    // Alt alone, which otherwise puts the keys into the menu bar, does nothing either.
    Start({}, true);
    Activate();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyPress(focus, Qt::Key_Alt);
    EXPECT_EQ(Splash(), nullptr);
    QTest::keyRelease(focus, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(Frame()->menuBar()->activeAction(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(focus, Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    EXPECT_NE(menu, nullptr) << "the next keys open the File menu";
    if (menu != nullptr)
        menu->close();

    // A key typed into a field types nothing.
    Start({MakeTrs("one.trs", {"one"})}, true);
    Activate();
    auto& view = *static_cast<CLexariumView*>(Frame()->m_wndSplitter.GetPane(0, 0));
    view.GetTreeCtrl().setCurrentIndex(view.GetModel().EntryIndex(0));
    auto* identifier = qobject_cast<QLineEdit*>(g_pTextView->GetDlgItem(1001));
    ASSERT_NE(identifier, nullptr);
    identifier->setFocus();
    identifier->end(false);
    ASSERT_NE(Splash(), nullptr);
    QTest::keyClick(identifier, Qt::Key_X);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_EQ(identifier->text(), "ID_1");
    EXPECT_FALSE(Doc()->IsModified());
    QTest::keyClick(identifier, Qt::Key_X);
    EXPECT_EQ(identifier->text(), "ID_1X");
}

TEST_F(SplashTest, TimerRemovesItOnlyOnceTheEventLoopRuns) {
    Start({}, true);
    QPointer<CSplashWnd> splash = Splash();
    ASSERT_NE(splash, nullptr);
    // A start-up that takes longer than the picture's time: nothing delivers the timer.
    QThread::msleep(CSplashWnd::kDisplayMs + 100);
    EXPECT_TRUE(splash->isVisible());
    QElapsedTimer waited;
    waited.start();
    while (Splash() != nullptr && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(Splash(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()) << "the object deletes itself";
    EXPECT_TRUE(prompts->prompts.empty());
}

TEST_F(SplashTest, APictureThatCannotBeLoadedMeansNoSplashAndNoMessage) {
    app.reset();
    app = std::make_unique<CLexariumApp>();
    prompts = &InstallScriptedPrompts(*app);
    AfxGetResources().bitmaps[IDB_SPLASH] = QStringLiteral(":/pictures/missing.svg");
    app->InitApplication({});
    started = app->InitInstance();
    RegisterLexariumResources();
    EXPECT_TRUE(started);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_TRUE(prompts->prompts.empty());
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(SplashTest, AMessageBoxAtStartUpTakesItDownAndTheFirstClickReachesTheBox) {
    // The real message box, over a start-up that cannot load its file.
    app.reset();
    app = std::make_unique<CLexariumApp>();
    app->SetPromptHandler(std::make_unique<CQtPromptHandler>());
    app->InitApplication({Path("missing.trs")});
    bool splashUnderTheBox = true;
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || !text.isEmpty())
            return;
        text = box->text();
        splashUnderTheBox = Splash() != nullptr;
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    poll.start(10);
    // Should the click not reach the box, it is closed after a while.
    QElapsedTimer waited;
    waited.start();
    QTimer::singleShot(3000, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    started = app->InitInstance();
    EXPECT_TRUE(started);
    EXPECT_TRUE(text.startsWith("An error accured while loading this file!\n"))
        << text.toStdString();
    EXPECT_FALSE(splashUnderTheBox);
    EXPECT_LT(waited.elapsed(), 2500) << "the first click closed the box";
    EXPECT_EQ(Splash(), nullptr);
}

using AboutBoxTest = LexariumAppFixture;

TEST_F(AboutBoxTest, ShowsTemplate100WithThePictureTheTextsAndAnEmptyUnicodeLine) {
    Activate();
    prompts->DriveDialog([](CDialog& dlg) {
        const DLGTEMPLATE& tmpl = *AfxGetResources().dialogs.at(IDD_ABOUTBOX);
        const QFont font = AfxTemplateFont(tmpl);
        const CDialogUnits units(font);
        EXPECT_EQ(dlg.windowTitle(), "About Vantor TextResource Editor");
        EXPECT_EQ(dlg.width(), units.MapDialogSize(281, 132).width());
        EXPECT_GE(dlg.height(), units.MapDialogSize(281, 132).height()) << "it grows for the path";
        // "MS Sans Serif" 8 becomes the same font as in the statistics form.
        const QFont blank = AfxTemplateFont(*AfxGetResources().dialogs.at(IDD_BLANK_FORM));
        EXPECT_EQ(QFontInfo(dlg.font()).family(), QFontInfo(blank).family());
        EXPECT_EQ(dlg.font().pointSize(), 8);

        std::vector<QString> lines;
        const QLabel* picture = nullptr;
        const QLabel* settings = nullptr;
        for (const QLabel* label : dlg.findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                picture = label;
            else
                lines.push_back(QString(label->text()).remove(QChar(0x200b)));
            if (label->text().startsWith("Settings: "))
                settings = label;
        }
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[0], "Vantor TextResource Editor");
        EXPECT_EQ(lines[1], AboutCopyrightLine());
        EXPECT_EQ(lines[2], AboutQtLine());
        EXPECT_TRUE(lines[2].contains(QString::fromLatin1(qVersion())));
        EXPECT_EQ(lines[3], AboutSettingsLine()) << "the path whole";
        EXPECT_TRUE(lines[3].endsWith("Lexarium.conf")) << lines[3].toStdString();
        EXPECT_EQ(lines[4], "Version 1.0");
        EXPECT_EQ(lines[5], "") << "control 1042, UNICODE in the template, shown empty";
        EXPECT_EQ(dlg.GetDlgItemText(1042), "");
        const QRect titleLine = units.MapDialogRect(QRect(108, 17, 157, 8));
        EXPECT_EQ(dlg.findChildren<QLabel*>().front()->geometry(), titleLine);
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(settings->width(), titleLine.width()) << "it wraps within its line's width";
        EXPECT_GE(settings->height(), settings->heightForWidth(settings->width()));

        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->pixmap().size(), QSize(128, 186));
        EXPECT_EQ(picture->geometry(),
                  QRect(units.MapDialogRect(QRect(7, 10, 85, 114)).topLeft(), QSize(128, 186)));
        const auto boxes = dlg.findChildren<QGroupBox*>();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes.front()->title().isEmpty());
        const QRect box = boxes.front()->geometry();
        const QRect templateBox = units.MapDialogRect(QRect(101, 7, 173, 118));
        EXPECT_EQ(box.topLeft(), templateBox.topLeft());
        EXPECT_EQ(box.width(), templateBox.width());
        EXPECT_EQ(box.height() - templateBox.height(),
                  dlg.height() - units.MapDialogSize(281, 132).height())
            << "the box grows as much as the path needs";

        auto* ok = qobject_cast<QPushButton*>(dlg.GetDlgItem(IDOK));
        ASSERT_NE(ok, nullptr);
        EXPECT_GE(ok->y(), settings->geometry().bottom()) << "the path is not under the button";
        EXPECT_TRUE(box.contains(ok->geometry()));
        EXPECT_TRUE(box.contains(settings->geometry()));
        EXPECT_TRUE(dlg.rect().contains(box));
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_TRUE(ok->hasFocus());
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(dlg.result(), IDCANCEL);
    });
    Frame()->ExecuteCommand(ID_APP_ABOUT);

    prompts->DriveDialog([](CDialog& dlg) {
        static_cast<QAbstractButton*>(dlg.GetDlgItem(IDOK))->click();
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(dlg.result(), IDOK);
    });
    Frame()->ExecuteCommand(ID_APP_ABOUT);
    EXPECT_EQ(prompts->unexpected, 0);
    ASSERT_EQ(prompts->prompts.size(), 2u);
    EXPECT_EQ(prompts->prompts[1].caption, "About Vantor TextResource Editor");
    EXPECT_TRUE(prompts->Messages().empty());
}

TEST_F(AboutBoxTest, ASettingsPathWithoutBlanksWrapsAfterItsFolders) {
    const QString folders = QString::fromStdString(dir.File("")) +
                            "a-folder-with-a-long-name/another-folder-with-a-long-name/"
                            "and-yet-another-one-of-them";
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folders);
    prompts->DriveDialog([](CDialog& dlg) {
        const QLabel* settings = nullptr;
        for (const QLabel* label : dlg.findChildren<QLabel*>())
            if (label->text().startsWith("Settings: "))
                settings = label;
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(QString(settings->text()).remove(QChar(0x200b)), AboutSettingsLine());
        EXPECT_TRUE(AboutSettingsLine().contains("and-yet-another-one-of-them"));
        const QFontMetrics metrics(settings->font());
        const int lines = settings->height() / metrics.lineSpacing();
        EXPECT_GE(lines, 3) << "broken after its folders";
        EXPECT_GE(dlg.GetDlgItem(IDOK)->y(), settings->geometry().bottom());
        dlg.EndDialog(IDOK);
    });
    Frame()->ExecuteCommand(ID_APP_ABOUT);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    EXPECT_EQ(prompts->unexpected, 0);
}
