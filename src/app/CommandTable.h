#pragma once

// The one table of the program's commands: each command once, with its menu
// label ("\t" before the shortcut text the menu shows), its status-bar prompt
// and tooltip ("prompt\ntooltip"), its toolbar picture and its keys. The menu,
// the accelerator table, the toolbar and the prompt strings are made from it.

#include "AfxDefs.h"

#include <QKeyCombination>
#include <vector>

struct CommandInfo {
    UINT nID;
    CString strLabel = {};  // menu label; empty for a command without a menu item
    CString strPrompt = {}; // status-bar prompt, "\n", tooltip; empty for none
    CString strImage = {};  // toolbar picture; empty for none
    std::vector<QKeyCombination> keys = {};
    // Commands that came later are placed by their own line: the menu they are
    // appended to, after its fixed items and in table order (a title that no
    // menu has makes a new menu, before "&?"), whether a line goes before
    // the item, and whether a button on the tools bar runs the command.
    CString strMenu = {};
    bool bSeparatorBefore = false;
    bool bToolsBar = false;
};

const std::vector<CommandInfo>& CommandTable();
// The command's entry, or null.
const CommandInfo* FindCommand(UINT nID);

// The menu bar: each popup's title and its items as command ids (ID_SEPARATOR for a line).
struct MenuLayout {
    CString strTitle;
    std::vector<UINT> items;
};
const std::vector<MenuLayout>& MainMenuLayout();
// The toolbar's buttons in order (ID_SEPARATOR for a gap).
const std::vector<UINT>& MainToolBarLayout();
// The second toolbar's buttons: the commands marked for it, in table order.
const std::vector<UINT>& ToolsToolBarLayout();

// Registers menu, accelerators, toolbar, pictures and prompts under IDR_MAINFRAME,
// and the second toolbar under IDR_TOOLSBAR.
void RegisterCommandResources();
