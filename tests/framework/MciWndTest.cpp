// The player windows for real, on whatever audio output the machine has (the
// test script starts a null one): a WAV is decoded and played, bars lie where
// they are put, several play at once, and a file that is not audio gets the
// player's own message.
#include "MciWnd.h"

#include "ScriptedPrompts.h"
#include "WinApp.h"
#include "common/TempDir.h"
#include "common/WavFile.h"

#include <QCoreApplication>
#include <QMediaPlayer>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// Long enough for a slow machine; nothing here waits for a device without end.
constexpr int kWaitMs = 10000;

#define REQUIRE_AUDIO_OUTPUT()                                                                     \
    if (!AfxHaveAudioOutput())                                                                     \
    GTEST_SKIP() << "no audio output; scripts/test.sh starts a null sound server (pulseaudio)"

class MciWndTest : public ::testing::Test {
protected:
    MciWndTest() : prompts(InstallScriptedPrompts(app)), parent(std::make_unique<QWidget>()) {
        app.m_pszAppName = QStringLiteral("Lexarium");
        parent->resize(800, 300);
        parent->show();
    }
    std::string Wav(const std::string& name, int milliseconds) {
        WriteBytes(dir.File(name), MakeWav(milliseconds));
        return dir.File(name);
    }
    HWND Create(const std::string& path, DWORD style) {
        return MCIWndCreateA(parent.get(), AfxGetInstanceHandle(), style, path.c_str());
    }
    static QMediaPlayer& Media(HWND player) {
        return *qobject_cast<CMciWnd*>(player)->MediaPlayer();
    }
    static bool Sounding(HWND player) {
        return Media(player).playbackState() == QMediaPlayer::PlayingState &&
               Media(player).position() > 0;
    }
    // Waits until the player's messages have had time to come, and one more turn.
    void SettleMessages(std::size_t expected) {
        (void)QTest::qWaitFor([&] { return prompts.Messages().size() >= expected; }, kWaitMs);
        QTest::qWait(300);
    }

    CWinApp app;
    CScriptedPrompts& prompts;
    TempDir dir;
    std::unique_ptr<QWidget> parent;
};

} // namespace

TEST_F(MciWndTest, WavPlaysInBarsAndHiddenPlayersAtOnceAndEveryPlayerEndsWithItsParent) {
    REQUIRE_AUDIO_OUTPUT();
    const std::string tone = Wav("tone.wav", 3000);
    HWND first = Create(tone, WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
    SetWindowPos(first, HWND_TOP, 12, 60, 625, 26, SWP_SHOWWINDOW);
    SendMessageA(first, MCI_PLAY, 0, 0);
    HWND second = Create(tone, WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
    SetWindowPos(second, HWND_TOP, 12, 60, 625, 26, SWP_SHOWWINDOW);
    SendMessageA(second, MCI_PLAY, 0, 0);
    HWND hidden = Create(tone, WS_CHILD | MCIWNDF_NOMENU);
    SendMessageA(hidden, MCI_PLAY, 0, 0);

    for (HWND player : {first, second, hidden})
        EXPECT_EQ(player->parentWidget(), parent.get());
    EXPECT_EQ(first->geometry(), QRect(12, 60, 625, 26));
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(hidden->isVisible());
    // The later bar covers the earlier one.
    QWidget* top = parent->childAt(300, 73);
    EXPECT_TRUE(top == second || second->isAncestorOf(top));

    // All three decode and sound together, and their positions move on.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Sounding(first) && Sounding(second) && Sounding(hidden); }, kWaitMs));
    const qint64 before = Media(hidden).position();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Media(hidden).position() > before + 100; }, kWaitMs));
    EXPECT_TRUE(prompts.Messages().empty());

    QPointer<QWidget> players[] = {first, second, hidden};
    parent.reset();
    for (const QPointer<QWidget>& player : players)
        EXPECT_TRUE(player.isNull());
}

TEST_F(MciWndTest, PlayersThatCanNoLongerBeHeardOrSeenGoAwayBeforeTheirParent) {
    REQUIRE_AUDIO_OUTPUT();
    const std::string shortTone = Wav("short.wav", 300);
    const std::string longTone = Wav("long.wav", 5000);
    auto bar = [&](const std::string& path, int y) {
        HWND player = Create(path, WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
        SetWindowPos(player, HWND_TOP, 12, y, 625, 26, SWP_SHOWWINDOW);
        SendMessageA(player, MCI_PLAY, 0, 0);
        return QPointer<QWidget>(player);
    };
    QPointer<QWidget> hidden = Create(shortTone, WS_CHILD | MCIWNDF_NOMENU);
    SendMessageA(hidden, MCI_PLAY, 0, 0);
    QPointer<QWidget> covered = bar(shortTone, 60); // covered while it still plays
    QPointer<QWidget> top = bar(longTone, 60);
    QPointer<QWidget> uncovered = bar(shortTone, 100);

    ASSERT_TRUE(QTest::qWaitFor([&] { return hidden.isNull() && covered.isNull(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Media(uncovered).mediaStatus() == QMediaPlayer::EndOfMedia; }, kWaitMs));
    QTest::qWait(100);
    EXPECT_FALSE(uncovered.isNull()); // a finished bar in sight stays to be played again
    EXPECT_TRUE(Sounding(top));
    bar(longTone, 100); // a new bar over it: now it is done with
    EXPECT_TRUE(QTest::qWaitFor([&] { return uncovered.isNull(); }, kWaitMs));
    EXPECT_FALSE(top.isNull());
}

TEST_F(MciWndTest, FileThatIsNotAudioOrIsMissingGetsOneMessageOfThePlayerEach) {
    WriteBytes(dir.File("text.wav"), "This is not a recording.\n");
    HWND notAudio = Create(dir.File("text.wav"), WS_CHILD | MCIWNDF_NOMENU);
    SendMessageA(notAudio, MCI_PLAY, 0, 0);
    SettleMessages(1);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_TRUE(prompts.Messages()[0].contains(QString::fromStdString(dir.File("text.wav"))));
    EXPECT_EQ(prompts.prompts[0].caption, "Lexarium");

    // A name that is gone by the time it plays; a second press of a failing
    // player adds nothing.
    prompts.Clear();
    HWND missing = Create(dir.File("gone.wav"), WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
    SendMessageA(missing, MCI_PLAY, 0, 0);
    SettleMessages(1);
    SendMessageA(missing, MCI_PLAY, 0, 0);
    QTest::qWait(500);
    EXPECT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(SendMessageA(parent.get(), MCI_PLAY, 0, 0), 0); // not a player: ignored
    EXPECT_EQ(MCIWndCreateA(nullptr, nullptr, WS_CHILD, "x.wav"), nullptr);
}

// A name whose bytes are no text in the system's encoding still plays: the
// player opens it by its bytes.
TEST_F(MciWndTest, NameThatIsNotInTheSystemsEncodingPlays) {
    REQUIRE_AUDIO_OUTPUT();
    const std::string path = Wav("t\xE9ne \xFF.wav", 3000);
    HWND player = Create(path, WS_CHILD | MCIWNDF_NOMENU);
    SendMessageA(player, MCI_PLAY, 0, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Sounding(player); }, kWaitMs));
    EXPECT_TRUE(prompts.Messages().empty());
    // Played again from the start, as a second press does.
    SendMessageA(player, MCI_PLAY, 0, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Sounding(player); }, kWaitMs));
}

namespace {

// Runs the test of this name again in a child process with these variables
// set; the child part checks the players, the parent that it ended well.
void RunChild(const char* test, const std::map<QString, QString>& variables) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LEXARIUM_TEST_CHILD"), QStringLiteral("1"));
    for (const auto& [name, value] : variables)
        env.insert(name, value);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=MciWndTest.") + test});
    ASSERT_TRUE(child.waitForFinished(30000)) << "the player hung";
    const std::string output = child.readAll().toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

} // namespace

// Each press makes a player that says why it cannot sound, once; hidden ones
// then go, so presses do not pile players up.
TEST_F(MciWndTest, WithoutAnyAudioOutputThePlayerSaysSoOnceAndNothingHangs) {
    if (qEnvironmentVariableIsSet("LEXARIUM_TEST_CHILD")) {
        ASSERT_FALSE(AfxHaveAudioOutput()) << "a sound server answered at an address that has none";
        HWND player = Create(Wav("tone.wav", 500), WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
        SendMessageA(player, MCI_PLAY, 0, 0);
        SettleMessages(1);
        ASSERT_EQ(prompts.Messages().size(), 1u);
        EXPECT_TRUE(prompts.Messages()[0].contains("no audio output"));
        EXPECT_NE(Media(player).playbackState(), QMediaPlayer::PlayingState);
        for (int press = 0; press < 5; ++press)
            SendMessageA(Create(dir.File("tone.wav"), WS_CHILD | MCIWNDF_NOMENU), MCI_PLAY, 0, 0);
        SettleMessages(6);
        EXPECT_EQ(prompts.Messages().size(), 6u);
        EXPECT_EQ(parent->findChildren<CMciWnd*>().size(), 1) << "only the bar in sight stays";
        return;
    }
    RunChild("WithoutAnyAudioOutput*", {{QStringLiteral("PULSE_SERVER"),
                                         QString::fromStdString("unix:" + dir.File("none"))}});
}

// Qt Multimedia ends the process when a player is made without a backend; the
// player asks first and says so instead.
TEST_F(MciWndTest, WithoutABackendThePlayerSaysSoAndTheProgramGoesOn) {
    if (qEnvironmentVariableIsSet("LEXARIUM_TEST_CHILD")) {
        EXPECT_FALSE(AfxHaveMediaBackend());
        HWND bar = Create(Wav("tone.wav", 500), WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
        SetWindowPos(bar, HWND_TOP, 12, 60, 625, 26, SWP_SHOWWINDOW);
        SendMessageA(bar, MCI_PLAY, 0, 0);
        HWND hidden = Create(dir.File("tone.wav"), WS_CHILD | MCIWNDF_NOMENU);
        SendMessageA(hidden, MCI_PLAY, 0, 0);
        EXPECT_EQ(qobject_cast<CMciWnd*>(bar)->MediaPlayer(), nullptr);
        SettleMessages(2);
        ASSERT_EQ(prompts.Messages().size(), 2u);
        EXPECT_TRUE(prompts.Messages()[0].startsWith("The file cannot be played:"));
        EXPECT_TRUE(prompts.Messages()[0].contains("no backend"));
        QPointer<QWidget> first = bar;
        HWND later = Create(dir.File("tone.wav"), WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU);
        SetWindowPos(later, HWND_TOP, 12, 60, 625, 26, SWP_SHOWWINDOW);
        SettleMessages(3);
        EXPECT_TRUE(first.isNull()) << "a bar covered by a later one goes";
        EXPECT_EQ(parent->findChildren<CMciWnd*>().size(), 1);
        return;
    }
    RunChild("WithoutABackend*", {{QStringLiteral("QT_MEDIA_BACKEND"), QStringLiteral("none")}});
}
