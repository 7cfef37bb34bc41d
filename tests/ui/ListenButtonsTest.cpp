// The editor form's listen buttons: each press plays the current entry's
// recording or its female take in a hidden player of the form, under the
// mission folder that the panel shares; nothing without a current entry or a
// file.

#include "RecordingsFixture.h"

#include <QDir>
#include <QMenu>
#include <QPointer>

using ListenButtonsTest = RecordingsFixture;

TEST_F(ListenButtonsTest, EachPressPlaysTheCurrentEntrysRecordingInAHiddenPlayerOfTheForm) {
    Record("voice.wav");
    Record("voice_fem.wav");
    Record("sub/take.wav"); // copied from Windows: stored with a backslash and other letter case
    StartWith({{1, "VOICE", "voice.wav"}, {2, "TAKE", "sub\\Take.WAV"}, {3, "NEW", "leer"}});
    MissionFolder() = Folder();

    // Start-up: no current entry, nothing plays.
    ClickButton(Field(IDC_LISTEN));
    ClickButton(Field(IDC_LISTEN_FEMALE));
    EXPECT_TRUE(Players(g_pTextView).empty());
    EXPECT_EQ(MissionFolder(), Folder());

    // The folder typed without its separator is repaired by the first file found.
    Select(0);
    ClickButton(Field(IDC_LISTEN));
    EXPECT_EQ(MissionFolder(), Folder() + Sep());
    ClickButton(Field(IDC_LISTEN_FEMALE));
    ClickButton(Field(IDC_LISTEN)); // the first one still plays: two of it at once
    Select(1);
    ClickButton(Field(IDC_LISTEN));
    ClickButton(Field(IDC_LISTEN_FEMALE)); // no take_fem.wav
    Select(2);
    ClickButton(Field(IDC_LISTEN)); // "leer": no such file
    ClickButton(Field(IDC_LISTEN_FEMALE));

    EXPECT_EQ(FileNames(g_pTextView),
              (std::vector<QString>{InFolder("voice.wav"), InFolder("voice_fem.wav"),
                                    InFolder("voice.wav"), InFolder("sub/take.wav")}));
    for (CMciWnd* player : Players(g_pTextView))
        EXPECT_FALSE(player->isVisible());
    EXPECT_TRUE(AllSounding(g_pTextView));
    EXPECT_TRUE(ProgramMessages().empty());
    EXPECT_FALSE(Doc()->IsModified());

    // The players end with the form when the statistics take the pane.
    std::vector<QPointer<CMciWnd>> players;
    for (CMciWnd* player : Players(g_pTextView))
        players.emplace_back(player);
    SelectRoot();
    for (const QPointer<CMciWnd>& player : players)
        EXPECT_TRUE(player.isNull());
}

// A recording that is not found says which name under which folder on the
// status line, which stays over a menu that opens and closes and goes with
// the next selection or the next press that finds its file.
TEST_F(ListenButtonsTest, ARecordingNotFoundIsNamedOnTheStatusLineUntilTheNextSelection) {
    Record("voice.wav");
    StartWith({{1, "VOICE", "voice.wav"},
               {2, "GONE", "sub\\gone.wav"},
               {3, "BARE", "bare"},
               {4, "NONE", ""}});
    Select(1);
    ClickButton(Field(IDC_LISTEN));
    EXPECT_EQ(Frame()->GetMessageText(),
              "Recording \"sub\\gone.wav\" not found under the current folder (" +
                  QDir::toNativeSeparators(QDir::currentPath()) + ").");

    QMenu* menu = Frame()->FindMenu("&File");
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(Frame()->FindCommandAction(ID_FILE_OPEN));
    EXPECT_EQ(Frame()->GetMessageText(), "Open an existing document");
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Frame()->GetMessageText().startsWith("Recording \"sub\\gone.wav\" not found"))
        << Frame()->GetMessageText().toStdString();

    MissionFolder() = Folder();
    ClickButton(Field(IDC_LISTEN_FEMALE));
    EXPECT_EQ(Frame()->GetMessageText(), "Female recording \"sub\\gone_fem.wav\" of "
                                         "\"sub\\gone.wav\" not found under \"" +
                                             Folder() + "\".");
    Select(2);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    ClickButton(Field(IDC_LISTEN_FEMALE));
    EXPECT_EQ(Frame()->GetMessageText(),
              "No female recording of \"bare\": the name has no \".\" to put \"_fem\" before.");
    Select(3);
    ClickButton(Field(IDC_LISTEN));
    EXPECT_EQ(Frame()->GetMessageText(), "No recording to play: this entry names no audio file.");
    Select(0);
    ClickButton(Field(IDC_LISTEN));
    ClickButton(Field(IDC_LISTEN)); // found: nothing to say
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    EXPECT_EQ(Players(g_pTextView).size(), 2u);
    EXPECT_TRUE(ProgramMessages().empty()) << "a hint, not a message box";
}

// A stored name whose bytes are not UTF-8 (a file named on another system) is
// found and played by its bytes.
TEST_F(ListenButtonsTest, ANameThatIsNotUtf8IsFoundAndPlayed) {
    Record("t\xE9ne.wav");
    StartWith({{1, "TONE", "t\xE9ne.wav"}});
    MissionFolder() = Folder() + Sep();
    Select(0);
    ClickButton(Field(IDC_LISTEN));
    ASSERT_EQ(Players(g_pTextView).size(), 1u);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    EXPECT_TRUE(AllSounding(g_pTextView));
    if (AfxHaveAudioOutput()) {
        EXPECT_TRUE(prompts->Messages().empty()) << "the player opened it";
    }
}
