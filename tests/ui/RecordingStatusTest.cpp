// The status line about the selected entry's recording, as a user meets it:
// each state (not found, found with its length and pace, recorded from this
// text, text changed, new take, shared identifier, undecodable), answers that
// arrive after another selection or another line are not shown, and the
// recorded list and the recordings are read again only when they changed.

#include "RecordingsFixture.h"
#include "check/RecordedList.h"
#include "check/Sha256.h"
#include "common/RecordedLines.h"

#include <QTest>
#include <chrono>
#include <thread>

class RecordingStatusTest : public RecordingsFixture {
protected:
    void SetUp() override {
        RecordingsFixture::SetUp();
        Start({});
    }
    // Opens a file of these entries with the recorded list `lines` beside it
    // (none when empty), the test's mission folder set.
    void Open(const std::vector<EntryFields>& fields,
              const std::vector<check::RecordedLine>& lines) {
        TextResourceObject entries = MakeEntries(fields);
        if (!lines.empty())
            WriteBytes(dir.File("voice.recorded.tsv"), check::FormatRecordedList(lines));
        Start({WriteTrs("voice.trs", entries)});
        MissionFolder() = Folder();
        Activate();
    }
    CRecordingStatus& Status() { return *Frame()->GetRecordingStatus(); }
    // Lets the answer of the last selection arrive, as the event loop would.
    void WaitForStatus() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Status().IsPending(); }, 10000))
            << "no answer about the recording";
        QCoreApplication::processEvents();
    }
    std::string StatusAfterSelecting(int position) {
        Select(position);
        WaitForStatus();
        return Frame()->GetMessageText().toStdString();
    }
    std::string Rec(const char* name) const { return "\"" + InFolder(name).toStdString() + "\""; }
    // An answer still on its way: the helper thread has queued it, the event
    // loop has not yet delivered it.
    static void LetTheHelperAnswer() {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
};

TEST_F(RecordingStatusTest, EachStateOfTheSelectedEntrysRecordingInOneLine) {
    const std::string twoSeconds = MakeWav(2000);
    Record("same.wav", 2000);
    Record("edited.wav", 2000);
    Record("retaken.wav", 2000);
    Record("fast.wav", 500);
    Record("shared.wav", 2000);
    WriteBytes(dir.File("audio/broken.wav"), std::string(100, 'x'));
    const std::vector<EntryFields> fields = {
        {.id = 1, .identifier = "SAME", .audioFile = "same.wav", .text = "twelve chars"},
        {.id = 2, .identifier = "EDITED", .audioFile = "edited.wav", .text = "new words\r\n"},
        {.id = 3, .identifier = "RETAKEN", .audioFile = "retaken.wav", .text = "retaken"},
        {.id = 4, .identifier = "FAST", .audioFile = "fast.wav", .text = "thirteen char"},
        {.id = 5, .identifier = "GONE", .audioFile = "gone.wav", .text = "gone"},
        {.id = 6, .identifier = "SILENT", .audioFile = "leer", .text = "no file"},
        {.id = 7, .identifier = "SHARED", .audioFile = "shared.wav", .text = "one"},
        {.id = 8, .identifier = "SHARED", .audioFile = "shared.wav", .text = "one"},
        {.id = 9, .identifier = "BROKEN", .audioFile = "broken.wav", .text = "broken"},
    };
    TextResourceEntry edited = MakeEntry(fields[1]);
    edited.text = "old words";
    Open(fields,
         {ListedLine(MakeEntry(fields[0]), twoSeconds, 2000), ListedLine(edited, twoSeconds, 2000),
          ListedLine(MakeEntry(fields[2]), MakeWav(1000), 2000),
          ListedLine(MakeEntry(fields[6]), twoSeconds, 2000)});

    const std::vector<std::pair<int, std::string>> expected = {
        {0, "Recording " + Rec("same.wav") +
                " lasts 2000 ms: 6.0 characters per second; recorded from this text on "
                "2026-11-02."},
        // Line breaks are not spoken: 9 characters.
        {1, "Recording " + Rec("edited.wav") +
                " lasts 2000 ms: 4.5 characters per second; the text changed after it was "
                "recorded on 2026-11-02."},
        {2, "Recording " + Rec("retaken.wav") +
                " lasts 2000 ms: 3.5 characters per second; a new take since 2026-11-02; run "
                "record to accept it."},
        {3, "Recording " + Rec("fast.wav") +
                " lasts 500 ms: 26.0 characters per second, above 20; not in the recorded list."},
        {4, "Recording \"gone.wav\" not found under \"" + Folder().toStdString() + "\"."},
        {5, "Ready"}, // nothing to tell of an entry without a recording
        {6, "Recording " + Rec("shared.wav") +
                " lasts 2000 ms: 1.5 characters per second; the recorded list cannot tell: "
                "another entry has the same identifier."},
    };
    for (const auto& [position, line] : expected)
        EXPECT_EQ(StatusAfterSelecting(position), line) << "entry " << position;
    EXPECT_TRUE(StatusAfterSelecting(8).starts_with("Recording " + Rec("broken.wav") +
                                                    " does not decode: "));

    // The line stays over a menu's tips and goes with the next selection.
    Select(0);
    WaitForStatus();
    Frame()->SetMessageText("a menu's tip");
    Frame()->SetMessageText(CString());
    EXPECT_TRUE(Frame()->GetMessageText().endsWith("recorded from this text on 2026-11-02."));
    SelectRoot();
    WaitForStatus();
    EXPECT_TRUE(Frame()->GetStatusLine().isEmpty());
}

TEST_F(RecordingStatusTest, ALateAnswerIsNotShownForAnotherEntryOrOverAnotherLine) {
    Record("a.wav");
    Open({{.id = 1, .identifier = "A", .audioFile = "a.wav", .text = "first"},
          {.id = 2, .identifier = "B", .audioFile = "", .text = "second"},
          {.id = 3, .identifier = "C", .audioFile = "a.wav", .text = "third"}},
         {});
    // Selected and left before the answer came: the answer is for A, B is shown.
    Select(0);
    LetTheHelperAnswer();
    Select(1);
    WaitForStatus();
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");

    // The root, selected meanwhile, shows no line about an entry.
    Select(0);
    LetTheHelperAnswer();
    SelectRoot();
    WaitForStatus();
    EXPECT_TRUE(Frame()->GetStatusLine().isEmpty());

    // What a command said after the selection stays: the listen button's line
    // about a female take that is not there.
    Select(2);
    LetTheHelperAnswer();
    ClickButton(Field(IDC_LISTEN_FEMALE));
    const CString female = Frame()->GetStatusLine();
    EXPECT_TRUE(female.startsWith("Female recording")) << female.toStdString();
    WaitForStatus();
    EXPECT_EQ(Frame()->GetStatusLine(), female);
}

TEST_F(RecordingStatusTest, RecordingsAndTheListAreReadAgainOnlyWhenTheyChanged) {
    const std::string bytes = MakeWav(2000);
    Record("a.wav", 2000);
    Record("b.wav", 1000);
    const std::vector<EntryFields> fields = {
        {.id = 1, .identifier = "A", .audioFile = "a.wav", .text = "first"},
        {.id = 2, .identifier = "B", .audioFile = "b.wav", .text = "second"},
    };
    Open(fields, {ListedLine(MakeEntry(fields[0]), bytes, 2000)});
    EXPECT_TRUE(StatusAfterSelecting(0).ends_with("recorded from this text on 2026-11-02."));
    EXPECT_TRUE(StatusAfterSelecting(1).ends_with("not in the recorded list."));
    const std::uint64_t reads = Status().RecordingReads();
    StatusAfterSelecting(0);
    StatusAfterSelecting(1);
    EXPECT_EQ(Status().RecordingReads(), reads) << "both recordings came from the cache";

    // Another take under the same name, and a list that knows B now.
    Record("a.wav", 2500);
    check::RecordedLine b = ListedLine(MakeEntry(fields[1]), MakeWav(1000), 2000);
    b.recorded = "2026-12-01T08:00:00Z";
    WriteBytes(dir.File("voice.recorded.tsv"),
               check::FormatRecordedList({ListedLine(MakeEntry(fields[0]), bytes, 2000), b}));
    EXPECT_EQ(StatusAfterSelecting(0),
              "Recording " + Rec("a.wav") +
                  " lasts 2500 ms: 2.0 characters per second; a new take since 2026-11-02; run "
                  "record to accept it.");
    EXPECT_TRUE(StatusAfterSelecting(1).ends_with("recorded from this text on 2026-12-01."));

    // An identifier that another entry takes on later is shared from then on.
    SelectRoot();
    Doc()->m_textResources.GetEntry(0)->identifier = "B";
    Doc()->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited, 0);
    EXPECT_TRUE(StatusAfterSelecting(1).ends_with(
        "the recorded list cannot tell: another entry has the same identifier."));
    Doc()->m_textResources.GetEntry(0)->identifier = "A";
    Doc()->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited, 0);
    SelectRoot();
    EXPECT_TRUE(StatusAfterSelecting(1).ends_with("recorded from this text on 2026-12-01."));
}
