// The audio test panel driven as a user does, through the modal-dialog seam:
// its layout, stepping through the entries, listening, and the mission folder
// that it shares with the editor form for the rest of the run.

#include "AudioTestDlg.h"
#include "DialogTemplate.h"
#include "ResourceIds.h"
#include "ui/RecordingsFixture.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class AudioTestPanelTest : public RecordingsFixture {
protected:
    void SetUp() override {
        RecordingsFixture::SetUp();
        Record("first.wav");
        Record("first_fem.wav");
        StartWith({{1, "FIRST", "first.wav"},
                   {4294967291u, "SECOND", "second"}, // no "." and no file
                   {3, "THIRD", "missing.wav"}});
    }
    // Opens the panel with the toolbar's command and runs `script` in it; the
    // script closes it.
    void RunPanel(std::function<void(CAudioTestDlg&)> script) {
        prompts->DriveDialog([script](CDialog& dlg) { script(dynamic_cast<CAudioTestDlg&>(dlg)); });
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_AUDIO_TEST));
    }
    static void Click(CDialog& dlg, int id) {
        static_cast<QAbstractButton*>(dlg.GetDlgItem(id))->click();
    }
    // The entry fields as the user reads them: file name, id, identifier, speaker, text.
    static std::vector<QString> Shown(CDialog& dlg) {
        std::vector<QString> texts;
        for (int id : {IDC_AUDIO_FILENAME, IDC_AUDIO_ID, IDC_AUDIO_IDENTIFIER, IDC_AUDIO_SPEAKER,
                       IDC_AUDIO_TEXT})
            texts.push_back(dlg.GetDlgItemText(id));
        return texts;
    }
    static std::vector<QString> Blank() { return std::vector<QString>(5); }
    std::vector<QString> Entry(const QString& file, const char* id, const char* identifier) {
        return {file, QString::fromLatin1(id), QString::fromLatin1(identifier),
                QStringLiteral("Vale"), QStringLiteral("the line of ") + identifier};
    }
};

} // namespace

TEST_F(AudioTestPanelTest, LayoutFollowsTheTemplateWithItsTabOrderAndBlankFields) {
    MissionFolder() = QStringLiteral("/mnt/mission");
    RunPanel([](CAudioTestDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Audiotest");
        const DLGTEMPLATE& tmpl = AudioTestDlgTemplate();
        const CDialogUnits units(AfxTemplateFont(tmpl));
        EXPECT_EQ(dlg.size(), units.MapDialogSize(499, 284));
        for (const DLGITEMTEMPLATE& item : tmpl.items) {
            if (item.id != IDC_STATIC) {
                EXPECT_EQ(dlg.GetDlgItem(item.id)->geometry(), units.MapDialogRect(item.rect))
                    << item.id;
            }
        }
        // The five entry fields are sunken and blank; the folder is the run's.
        for (int id : {IDC_AUDIO_FILENAME, IDC_AUDIO_ID, IDC_AUDIO_IDENTIFIER, IDC_AUDIO_SPEAKER,
                       IDC_AUDIO_TEXT}) {
            auto* field = qobject_cast<QLabel*>(dlg.GetDlgItem(id));
            ASSERT_NE(field, nullptr) << id;
            EXPECT_EQ(field->frameShadow(), QFrame::Sunken) << id;
            EXPECT_TRUE(field->text().isEmpty()) << id;
        }
        EXPECT_TRUE(qobject_cast<QLabel*>(dlg.GetDlgItem(IDC_AUDIO_TEXT))->wordWrap());
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FOLDER), "/mnt/mission");
        EXPECT_EQ(dlg.m_nPosition, -1);

        // Tab order: OK, Cancel, folder, prior, next, listen, listen female.
        std::vector<int> order;
        QWidget* widget = dlg.GetDlgItem(IDOK);
        for (int i = 0; i < 7; ++i, widget = widget->nextInFocusChain()) {
            while (!(widget->focusPolicy() & Qt::TabFocus))
                widget = widget->nextInFocusChain();
            order.push_back(widget->property("ctrlId").toInt());
        }
        EXPECT_EQ(order,
                  (std::vector<int>{IDOK, IDCANCEL, IDC_AUDIO_FOLDER, IDC_AUDIO_PRIOR,
                                    IDC_AUDIO_NEXT, IDC_AUDIO_LISTEN, IDC_AUDIO_LISTEN_FEMALE}));
        EXPECT_TRUE(static_cast<QPushButton*>(dlg.GetDlgItem(IDOK))->isDefault());
        EXPECT_TRUE(Players(&dlg).empty());
        Click(dlg, IDOK);
    });
}

TEST_F(AudioTestPanelTest, SteppingShowsEachEntryStopsAtBothEndsAndListenPlaysInBars) {
    MissionFolder() = Folder() + Sep();
    QPointer<QWidget> bars[2];
    RunPanel([&](CAudioTestDlg& dlg) {
        Click(dlg, IDC_AUDIO_LISTEN); // nothing shown yet: nothing happens
        EXPECT_EQ(Shown(dlg), Blank());
        Click(dlg, IDC_AUDIO_PRIOR); // before the first: position 0, still nothing shown
        EXPECT_EQ(dlg.m_nPosition, 0);
        EXPECT_EQ(Shown(dlg), Blank());
        EXPECT_TRUE(Players(&dlg).empty());

        // Listen now shows and plays the first entry; pressed twice, two bars sound.
        Click(dlg, IDC_AUDIO_LISTEN);
        EXPECT_EQ(Shown(dlg), Entry(InFolder("first.wav"), "1", "FIRST"));
        Click(dlg, IDC_AUDIO_LISTEN_FEMALE);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FILENAME), InFolder("first_fem.wav"));
        ASSERT_EQ(Players(&dlg).size(), 2u);
        bars[0] = Players(&dlg)[0];
        bars[1] = Players(&dlg)[1];
        EXPECT_EQ(FileNames(&dlg),
                  (std::vector<QString>{InFolder("first.wav"), InFolder("first_fem.wav")}));
        for (QWidget* bar : bars) {
            EXPECT_TRUE(bar->isVisible());
            EXPECT_EQ(bar->geometry(), QRect(12, 60, 625, 26));
        }
        QWidget* top = dlg.childAt(300, 73);
        EXPECT_TRUE(top == bars[1] || bars[1]->isAncestorOf(top)); // the later bar covers
        EXPECT_TRUE(AllSounding(&dlg));

        // The id is shown signed; what is not found shows as stored, never with "_fem".
        Click(dlg, IDC_AUDIO_NEXT);
        EXPECT_EQ(Shown(dlg), Entry("second", "-5", "SECOND"));
        Click(dlg, IDC_AUDIO_LISTEN_FEMALE);
        EXPECT_EQ(Frame()->GetMessageText(), "No female recording of \"second\": the name has "
                                             "no \".\" to put \"_fem\" before.");
        Click(dlg, IDC_AUDIO_NEXT);
        EXPECT_EQ(Frame()->GetMessageText(), "Ready") << "the next step clears the line";
        EXPECT_EQ(Shown(dlg), Entry("missing.wav", "3", "THIRD"));
        Click(dlg, IDC_AUDIO_LISTEN_FEMALE);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FILENAME), "missing.wav");
        EXPECT_EQ(Players(&dlg).size(), 2u);
        // The frame's status line, under the panel, says what was looked for where.
        EXPECT_EQ(Frame()->GetMessageText(),
                  "Female recording \"missing_fem.wav\" of \"missing.wav\" not found under \"" +
                      Folder() + Sep() + "\".");
        Click(dlg, IDC_AUDIO_LISTEN);
        EXPECT_EQ(Frame()->GetMessageText(),
                  "Recording \"missing.wav\" not found under \"" + Folder() + Sep() + "\".");

        // Next on the last entry keeps it shown and current; prior goes back.
        Click(dlg, IDC_AUDIO_NEXT);
        Click(dlg, IDC_AUDIO_NEXT);
        EXPECT_EQ(dlg.m_nPosition, 2);
        EXPECT_EQ(Shown(dlg), Entry("missing.wav", "3", "THIRD"));
        Click(dlg, IDC_AUDIO_PRIOR);
        EXPECT_EQ(Shown(dlg), Entry("second", "-5", "SECOND"));
        Click(dlg, IDC_AUDIO_PRIOR);
        Click(dlg, IDC_AUDIO_PRIOR); // on the first: it stays shown
        EXPECT_EQ(dlg.m_nPosition, 0);
        EXPECT_EQ(Shown(dlg), Entry(InFolder("first.wav"), "1", "FIRST"));
        Click(dlg, IDOK);
    });
    // Closing the panel ends its bars and their sound; the file is untouched.
    EXPECT_TRUE(bars[0].isNull());
    EXPECT_TRUE(bars[1].isNull());
    EXPECT_EQ(MissionFolder(), Folder() + Sep());
    EXPECT_TRUE(ProgramMessages().empty());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(prompts->unexpected, 0);
}

TEST_F(AudioTestPanelTest, FolderIsTakenAtEachKeystrokeKeptAfterCancelAndRepairedForBothPlaces) {
    RunPanel([this](CAudioTestDlg& dlg) {
        auto* folder = qobject_cast<QLineEdit*>(dlg.GetDlgItem(IDC_AUDIO_FOLDER));
        folder->setFocus();
        QTest::keyClicks(folder, Folder().left(4));
        EXPECT_EQ(MissionFolder(), Folder().left(4));
        QTest::keyClicks(folder, Folder().mid(4));
        EXPECT_EQ(MissionFolder(), Folder());
        Click(dlg, IDCANCEL);
    });
    // The editor's lookup finds the file through the second candidate and
    // repairs the folder; the panel opened later shows the repaired folder.
    Select(0);
    ClickButton(Field(IDC_LISTEN));
    EXPECT_EQ(FileNames(g_pTextView), std::vector<QString>{InFolder("first.wav")});
    EXPECT_EQ(MissionFolder(), Folder() + Sep());
    RunPanel([this](CAudioTestDlg& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FOLDER), Folder() + Sep());
        // Typed again without the separator: stepping alone repairs it in the field.
        dlg.SetDlgItemText(IDC_AUDIO_FOLDER, Folder());
        EXPECT_EQ(MissionFolder(), Folder());
        Click(dlg, IDC_AUDIO_NEXT);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FOLDER), Folder() + Sep());
        EXPECT_EQ(dlg.GetDlgItemText(IDC_AUDIO_FILENAME), InFolder("first.wav"));
        EXPECT_TRUE(Players(&dlg).empty()); // stepping plays nothing
        Click(dlg, IDOK);
    });
    EXPECT_EQ(MissionFolder(), Folder() + Sep());
    EXPECT_TRUE(ProgramMessages().empty());
}

// Long values are cut at the edge of the group box that frames the entry;
// numbers show whole; a name of 300,000 backslashes (from a damaged file) is
// looked up at once on every step.
TEST_F(AudioTestPanelTest, LongValuesStayInsideTheGroupBoxAndNumbersShowWhole) {
    TextResourceEntry& second = *Doc()->m_textResources.GetEntry(1);
    second.audioFile = std::string(300000, '\\');
    TextResourceEntry& third = *Doc()->m_textResources.GetEntry(2);
    third.id = 0x80000000u;
    third.audioFile = std::string(600, 'a') + ".wav";
    third.speaker = std::string(300, 'S');
    MissionFolder() = Folder();
    RunPanel([](CAudioTestDlg& dlg) {
        QElapsedTimer steps;
        steps.start();
        for (int i = 0; i < 3; ++i)
            Click(dlg, IDC_AUDIO_NEXT);
        Click(dlg, IDC_AUDIO_PRIOR);
        Click(dlg, IDC_AUDIO_NEXT);
        EXPECT_LT(steps.elapsed(), 1500) << "each step looks the names up at once";
        auto* id = static_cast<QLabel*>(dlg.GetDlgItem(IDC_AUDIO_ID));
        EXPECT_EQ(id->text(), "-2147483648");
        EXPECT_GE(id->width(), id->sizeHint().width());
        auto* file = static_cast<QLabel*>(dlg.GetDlgItem(IDC_AUDIO_FILENAME));
        EXPECT_EQ(file->text().size(), 604);
        const QGroupBox* box = dlg.findChild<QGroupBox*>();
        ASSERT_NE(box, nullptr);
        for (int field :
             {IDC_AUDIO_FILENAME, IDC_AUDIO_SPEAKER, IDC_AUDIO_IDENTIFIER, IDC_AUDIO_TEXT}) {
            const QRect shown = dlg.GetDlgItem(field)->geometry();
            EXPECT_TRUE(box->geometry().contains(shown)) << field;
        }
        Click(dlg, IDOK);
    });
}

// Enter presses the push button that has the focus, as on Windows; OK only
// while no other button has it.
TEST_F(AudioTestPanelTest, EnterPressesTheFocusedButtonAndOkOtherwise) {
    MissionFolder() = Folder() + Sep();
    int ended = -1;
    RunPanel([&](CAudioTestDlg& dlg) {
        auto enterOn = [&](int id) {
            QWidget* control = dlg.GetDlgItem(id);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            EXPECT_FALSE(dlg.IsEnded()) << id;
        };
        auto* ok = static_cast<QPushButton*>(dlg.GetDlgItem(IDOK));
        enterOn(IDC_AUDIO_NEXT);
        EXPECT_EQ(dlg.m_nPosition, 0);
        EXPECT_FALSE(ok->isDefault()) << "the focused button is the default";
        enterOn(IDC_AUDIO_NEXT);
        enterOn(IDC_AUDIO_PRIOR);
        EXPECT_EQ(dlg.m_nPosition, 0);
        enterOn(IDC_AUDIO_LISTEN);
        enterOn(IDC_AUDIO_LISTEN_FEMALE);
        EXPECT_EQ(FileNames(&dlg),
                  (std::vector<QString>{InFolder("first.wav"), InFolder("first_fem.wav")}));
        QWidget* folder = dlg.GetDlgItem(IDC_AUDIO_FOLDER);
        folder->setFocus();
        EXPECT_TRUE(ok->isDefault()) << "OK again once no button has the focus";
        QTest::keyClick(folder, Qt::Key_Return);
        EXPECT_TRUE(dlg.IsEnded());
        ended = dlg.result();
    });
    EXPECT_EQ(ended, IDOK);
    RunPanel([&](CAudioTestDlg& dlg) {
        QWidget* cancel = dlg.GetDlgItem(IDCANCEL);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        EXPECT_TRUE(dlg.IsEnded());
        ended = dlg.result();
    });
    EXPECT_EQ(ended, IDCANCEL);
    EXPECT_EQ(prompts->unexpected, 0);
}
