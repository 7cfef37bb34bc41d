#pragma once

// What the document's tests stand on: an application with scripted prompts,
// a stand-in for the entry tree, and the document.

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "ScriptedPrompts.h"
#include "WinApp.h"

#include <gtest/gtest.h>
#include <vector>

// The entry tree as the document sees it: registered as g_pTreeView while it
// lives, it counts the rebuilds and notes the entries selected.
class StandInTree : public CEntryTree {
public:
    StandInTree() { g_pTreeView = this; }
    ~StandInTree() override { g_pTreeView = nullptr; }
    void RebuildTree() override { ++rebuilds; }
    void SelectEntryById(int id) override { selected.push_back(id); }
    void SetCurrentItemText(const CString&) override {}
    int rebuilds = 0;
    std::vector<int> selected;
};

class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture() : prompts(InstallScriptedPrompts(app)) {
        app.m_pszAppName = QStringLiteral("Lexarium");
    }
    CWinApp app;
    CScriptedPrompts& prompts;
    StandInTree tree;
    CLexariumDoc doc;
};
