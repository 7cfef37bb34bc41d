// The entry tree's model on its own: its structure, checked by Qt's own model
// tester, and the labels it gives.

#include "ui/EntryTreeModel.h"

#include "common/Entries.h"
#include "model/TextResourceObject.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(EntryTreeModel, HasOneRootAndOneChildPerEntryInCollectionOrder) {
    TextResourceObject entries;
    entries.AddEntry(MakeEntry({.id = 7, .identifier = "ZETA"}));
    entries.AddEntry(MakeEntry({.id = 3, .identifier = "ALPHA"}));
    entries.AddEntry(MakeEntry({.id = 9, .identifier = "ALPHA"}));
    EntryTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetCollection(&entries);

    ASSERT_EQ(model.rowCount(), 1);
    const QModelIndex root = model.index(0, 0);
    EXPECT_TRUE(model.IsRoot(root));
    EXPECT_EQ(model.data(root).toString(), "Textresourcen");
    ASSERT_EQ(model.rowCount(root), 3);
    EXPECT_EQ(model.data(model.index(0, 0, root)).toString(), "ZETA");
    EXPECT_EQ(model.data(model.index(1, 0, root)).toString(), "ALPHA");
    EXPECT_EQ(model.data(model.index(2, 0, root)).toString(), "ALPHA");
    EXPECT_EQ(model.parent(model.index(2, 0, root)), root);
    EXPECT_EQ(model.EntryAt(model.index(2, 0, root)), entries.GetEntry(2));
    EXPECT_EQ(model.EntryPosition(root), std::nullopt);
    EXPECT_FALSE(model.index(3, 0, root).isValid());
    EXPECT_FALSE(model.EntryIndex(3).isValid());

    // Growing and shrinking the collection shows after a reset, also to the tester.
    entries.AddEntry(MakeEntry({.id = 10, .identifier = "NEW"}));
    entries.DeleteEntry(7);
    model.Reset();
    ASSERT_EQ(model.rowCount(model.RootIndex()), 3);
    EXPECT_EQ(model.data(model.EntryIndex(2)).toString(), "NEW");
    entries.Clear();
    model.Reset();
    EXPECT_EQ(model.rowCount(model.RootIndex()), 0);
    EXPECT_FALSE(model.hasChildren(model.RootIndex()));
}

TEST(EntryTreeModel, LabelsShowStoredUtf8WithoutLossAndRefuseEdits) {
    TextResourceObject entries;
    entries.AddEntry(MakeEntry({.id = 1, .identifier = "ZAŻÓŁĆ_ΓΛΩΣΣΑ_日本語"}));
    entries.AddEntry(MakeEntry({.id = 2, .identifier = ""}));
    EntryTreeModel model;
    model.SetCollection(&entries);

    EXPECT_EQ(model.data(model.EntryIndex(0)).toString(), QStringLiteral("ZAŻÓŁĆ_ΓΛΩΣΣΑ_日本語"));
    EXPECT_EQ(model.data(model.EntryIndex(1)).toString(), QString());
    EXPECT_TRUE(model.flags(model.EntryIndex(0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.EntryIndex(0), QStringLiteral("OTHER")));
    EXPECT_EQ(entries.GetEntry(0)->identifier, "ZAŻÓŁĆ_ΓΛΩΣΣΑ_日本語");
}

TEST(EntryTreeModel, ReplacedLabelsLastUntilTheNextReset) {
    TextResourceObject entries;
    entries.AddEntry(MakeEntry({.id = 1, .identifier = "FIRST"}));
    EntryTreeModel model;
    model.SetCollection(&entries);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.SetLabel(model.EntryIndex(0), QStringLiteral("SHOWN"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.data(model.EntryIndex(0)).toString(), "SHOWN");
    model.SetLabel(model.RootIndex(), QStringLiteral("ROOT"));
    EXPECT_EQ(model.data(model.RootIndex()).toString(), "ROOT");

    model.Reset();
    EXPECT_EQ(model.data(model.EntryIndex(0)).toString(), "FIRST");
    EXPECT_EQ(model.data(model.RootIndex()).toString(), "Textresourcen");
}

} // namespace
