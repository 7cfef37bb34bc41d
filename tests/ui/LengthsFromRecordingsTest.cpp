// Tools' Lengths from recordings over the open document: the found
// recordings' real lengths into the stored lengths, one message that says how
// many changed, the document modified only when one did, and every other byte
// of the file as it was once saved.

#include "RecordingsFixture.h"
#include "ResourceIds.h"
#include "common/FileContent.h"

namespace {

using LengthsFromRecordings = RecordingsFixture;

TEST_F(LengthsFromRecordings, SetsFoundLengthsSaysHowManyAndMarksModifiedOnlyWhenOneChanged) {
    StartWith({{1, "A", "a.wav"}, {2, "B", "b.wav"}, {3, "C", "missing.wav"}});
    const QString path = Path("recordings.trs");
    const QByteArray before = ReadFile(path);
    Record("a.wav", 1500);
    Record("b.wav", 250);
    MissionFolder() = Folder() + Sep();
    Select(0);

    ASSERT_TRUE(Frame()->ExecuteCommand(ID_TOOLS_LENGTHS));
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_TRUE(prompts->Messages()[0].startsWith("2 lengths changed.\n"))
        << prompts->Messages()[0].toStdString();
    EXPECT_EQ(Entry(0).lengthMs, 1500u);
    EXPECT_EQ(Entry(1).lengthMs, 250u);
    EXPECT_EQ(Entry(2).lengthMs, 0u) << "no recording, no change";
    EXPECT_EQ(LineField(IDC_LENGTH)->text(), "1500") << "the form shows the new length";
    EXPECT_TRUE(Doc()->IsModified());

    // Saved, only the lengths differ from the file before: 4 bytes each.
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    const QByteArray after = ReadFile(path);
    ASSERT_EQ(after.size(), before.size());
    int differing = 0;
    for (int i = 0; i < after.size(); ++i)
        differing += after[i] != before[i];
    EXPECT_GE(differing, 2);
    EXPECT_LE(differing, 8);

    // Again: nothing to change, and the saved document stays unmodified.
    prompts->Clear();
    Frame()->ExecuteCommand(ID_TOOLS_LENGTHS);
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_TRUE(prompts->Messages()[0].startsWith("No length changed.\n"));
    EXPECT_FALSE(Doc()->IsModified());
}

} // namespace
