#pragma once

// The running editor on a file whose entries name recordings, with WAV files
// made for them in a mission folder of the test's own, and what the tests see
// of the players: the player windows of a parent and whether they sound.

#include "EditorFixture.h"
#include "MciWnd.h"
#include "audio/AudioLookup.h"
#include "common/WavFile.h"

#include <QMediaPlayer>
#include <filesystem>

class RecordingsFixture : public EditorFixture {
protected:
    struct Line {
        std::uint32_t id;
        const char* identifier;
        const char* audioFile;
    };

    void SetUp() override { Settings().clear(); }

    void StartWith(const std::vector<Line>& lines) {
        TextResourceObject entries;
        for (const Line& line : lines)
            entries.AddEntry(MakeEntry({.id = line.id,
                                        .identifier = line.identifier,
                                        .audioFile = line.audioFile,
                                        .text = "the line of " + std::string(line.identifier),
                                        .speaker = "Vale"}));
        Start({WriteTrs("recordings.trs", entries)});
        Activate();
    }
    // The mission folder of the test, without its separator, as a user types it.
    QString Folder() const { return Path("audio"); }
    QString InFolder(const QString& name) const { return Folder() + Sep() + name; }
    static QString Sep() { return QString(QChar(audio::kPathSeparator)); }
    // A real recording at this path below the mission folder.
    void Record(const std::string& relative, int milliseconds = 3000) {
        const std::filesystem::path path = std::filesystem::path(dir.File("audio")) / relative;
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path.string(), MakeWav(milliseconds));
    }

    static std::vector<CMciWnd*> Players(QWidget* parent) {
        const QList<CMciWnd*> found = parent->findChildren<CMciWnd*>(Qt::FindDirectChildrenOnly);
        return {found.begin(), found.end()};
    }
    static std::vector<QString> FileNames(QWidget* parent) {
        std::vector<QString> names;
        for (CMciWnd* player : Players(parent))
            names.push_back(player->FileName());
        return names;
    }
    // Whether every player sounds: playing, its position moving. Without any
    // audio output the players say so instead, which the tests do not count.
    static bool AllSounding(QWidget* parent) {
        if (!AfxHaveAudioOutput())
            return true;
        return QTest::qWaitFor(
            [parent] {
                for (CMciWnd* player : Players(parent)) {
                    if (player->MediaPlayer()->playbackState() != QMediaPlayer::PlayingState ||
                        player->MediaPlayer()->position() <= 0)
                        return false;
                }
                return true;
            },
            10000);
    }
    // The messages of the program itself, without the players' own.
    std::vector<CString> ProgramMessages() const {
        std::vector<CString> messages;
        for (const CString& text : prompts->Messages()) {
            if (!text.startsWith(QLatin1String("The file cannot be played")))
                messages.push_back(text);
        }
        return messages;
    }
    CString& MissionFolder() { return app->m_strMissionFolder; }
    void ClickButton(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
};
