// The command table and the resources made from it.

#include "CommandTable.h"

#include "ResourceIds.h"
#include "Resources.h"

#include <algorithm>

namespace {

QKeyCombination Key(Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return QKeyCombination(modifiers, key);
}

// The menus of the first editor, as they have always been.
std::vector<MenuLayout> FixedMenuLayout() {
    return {
        {"&File",
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_EXPORT, ID_SEPARATOR,
          ID_FILE_MRU_FILE1, ID_SEPARATOR, ID_APP_EXIT}},
        {"&Edit",
         {ID_EDIT_UNDO, ID_SEPARATOR, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR,
          ID_EDIT_SEARCH, ID_EDIT_REPLACE}},
        {"&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}},
        {"&?", {ID_APP_ABOUT}},
    };
}

} // namespace

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = {
        {ID_FILE_NEW,
         "&New\tStrg+N",
         "Create a new document\nNew",
         ":/toolbar/new.svg",
         {Key(Qt::ControlModifier, Qt::Key_N)}},
        {ID_FILE_OPEN,
         "&Open...\tStrg+O",
         "Open an existing document\nOpen",
         ":/toolbar/open.svg",
         {Key(Qt::ControlModifier, Qt::Key_O)}},
        {ID_FILE_SAVE,
         "&Save\tStrg+S",
         "Save the active document\nSave",
         ":/toolbar/save.svg",
         {Key(Qt::ControlModifier, Qt::Key_S)}},
        {ID_FILE_SAVE_AS,
         "Save &As...",
         "Save the active document with a new name\nSave As",
         {},
         {}},
        {ID_FILE_EXPORT, "Export...\tStrg+E", {}, {}, {Key(Qt::ControlModifier, Qt::Key_E)}},
        {ID_FILE_MRU_FILE1, "Last File", "Open this document", {}, {}},
        {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", {}, {}},
        {ID_EDIT_UNDO,
         "&Undo\tStrg+Z",
         "Undo the last action\nUndo",
         {},
         {Key(Qt::ControlModifier, Qt::Key_Z), Key(Qt::AltModifier, Qt::Key_Backspace)}},
        // Cut's prompt and tooltip read "Copy", as the program has always shown
        // them: kept on purpose.
        {ID_EDIT_CUT,
         "Cu&t\tStrg+X",
         "Copy the selection and put it on the Clipboard\nCopy",
         ":/toolbar/cut.svg",
         {Key(Qt::ControlModifier, Qt::Key_X), Key(Qt::ShiftModifier, Qt::Key_Delete)}},
        {ID_EDIT_COPY,
         "&Copy\tStrg+C",
         "Copy the selection and put it on the Clipboard\nCopy",
         ":/toolbar/copy.svg",
         {Key(Qt::ControlModifier, Qt::Key_C), Key(Qt::ControlModifier, Qt::Key_Insert)}},
        {ID_EDIT_PASTE,
         "&Paste\tStrg+V",
         "Insert Clipboard contents\nPaste",
         ":/toolbar/paste.svg",
         {Key(Qt::ControlModifier, Qt::Key_V), Key(Qt::ShiftModifier, Qt::Key_Insert)}},
        {ID_EDIT_SEARCH, "&Search\tStrg+F", {}, {}, {Key(Qt::ControlModifier, Qt::Key_F)}},
        {ID_EDIT_REPLACE,
         "&Replace...\tStrg+H",
         "Find text in the entries and replace it\nReplace",
         {},
         {Key(Qt::ControlModifier, Qt::Key_H)}},
        {ID_VIEW_FILTER,
         {},
         "Filter the entries of the tree\nFilter",
         {},
         {Key(Qt::ControlModifier, Qt::Key_L)}},
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}, {}},
        {ID_VIEW_STATUS_BAR, "&Statusbar", "Show or hide the status bar\nToggle StatusBar", {}, {}},
        {.nID = ID_VIEW_REFERENCE,
         .strLabel = "&Reference",
         .strPrompt = "Show or hide the reference pane\nToggle Reference",
         .strMenu = "&View"},
        {.nID = ID_TOOLS_REFERENCE,
         .strLabel = "Open &Reference...",
         .strPrompt = "Open a second file read-only and show its entry beside the current "
                      "one\nOpen Reference",
         .strMenu = "&Tools"},
        {.nID = ID_TOOLS_LENGTHS,
         .strLabel = "&Lengths from recordings",
         .strPrompt = "Set each stored length to its recording's real length\nLengths from recordings",
         .strMenu = "&Tools"},
        {ID_APP_ABOUT,
         "&About Lexarium...",
         "Display program information, version number and copyright\nAbout",
         ":/toolbar/about.svg",
         {}},
        {ID_ENTRY_NEW,
         {},
         "Create a new text resource entry.\nCreate new entry",
         ":/toolbar/entry-new.svg",
         {}},
        {ID_ENTRY_DELETE,
         {},
         "Delete the selected text resource entry.\nDelete selected entry",
         ":/toolbar/entry-delete.svg",
         {}},
        {ID_AUDIO_TEST,
         {},
         "Open audio test panel to control text and assigned audio file.\nOpen audio test panel",
         ":/toolbar/audio-test.svg",
         {}},
        {ID_TOOLBAR_SEARCH, {}, "Search for an entry\nSearch", ":/toolbar/search.svg", {}},
        {ID_NEXT_PANE,
         {},
         "Switch to the next window pane\nNext Pane",
         {},
         {Key(Qt::NoModifier, Qt::Key_F6)}},
        {ID_PREV_PANE,
         {},
         "Switch back to the previous window pane\nPrevious Pane",
         {},
         {Key(Qt::ShiftModifier, Qt::Key_F6)}},
        // Later commands: each line places its command in a menu and on the tools bar.
        {.nID = ID_VIEW_PROBLEMS,
         .strLabel = "&Problems",
         .strPrompt = "Show or hide the problems list\nToggle Problems",
         .strMenu = "&View"},
        {.nID = ID_TOOLS_CHECK,
         .strLabel = "&Check\tStrg+F8",
         .strPrompt = "Check the entries and their recordings for problems\nCheck",
         .strImage = ":/toolbar/check.svg",
         .keys = {Key(Qt::ControlModifier, Qt::Key_F8)},
         .strMenu = "&Tools",
         .bSeparatorBefore = true,
         .bToolsBar = true},
        {.nID = ID_TOOLS_CHECK_OPTIONS,
         .strLabel = "Check &Options...",
         .strPrompt = "Choose what the check looks at beyond the entries\nCheck Options",
         .strMenu = "&Tools"},
        {.nID = ID_NEXT_PROBLEM,
         .strLabel = "&Next Problem\tF8",
         .strPrompt = "Go to the next problem, or check when the list is empty or out of "
                      "date\nNext Problem",
         .keys = {Key(Qt::NoModifier, Qt::Key_F8)},
         .strMenu = "&Tools",
         .bSeparatorBefore = true},
        {.nID = ID_PREV_PROBLEM,
         .strLabel = "P&revious Problem\tUmschalt+F8",
         .strPrompt = "Go to the previous problem\nPrevious Problem",
         .keys = {Key(Qt::ShiftModifier, Qt::Key_F8)},
         .strMenu = "&Tools"},
    };
    return table;
}

const CommandInfo* FindCommand(UINT nID) {
    for (const CommandInfo& info : CommandTable()) {
        if (info.nID == nID)
            return &info;
    }
    return nullptr;
}

const std::vector<MenuLayout>& MainMenuLayout() {
    static const std::vector<MenuLayout> layout = [] {
        std::vector<MenuLayout> menus = FixedMenuLayout();
        for (const CommandInfo& info : CommandTable()) {
            if (info.strMenu.isEmpty())
                continue;
            auto menu = std::find_if(menus.begin(), menus.end(), [&](const MenuLayout& m) {
                return m.strTitle == info.strMenu;
            });
            if (menu == menus.end()) // a new menu goes before "&?", which stays last
                menu = menus.insert(menus.end() - 1, MenuLayout{info.strMenu, {}});
            if (info.bSeparatorBefore && !menu->items.empty())
                menu->items.push_back(ID_SEPARATOR);
            menu->items.push_back(info.nID);
        }
        return menus;
    }();
    return layout;
}

const std::vector<UINT>& ToolsToolBarLayout() {
    static const std::vector<UINT> layout = [] {
        std::vector<UINT> buttons;
        for (const CommandInfo& info : CommandTable()) {
            if (info.bToolsBar)
                buttons.push_back(info.nID);
        }
        return buttons;
    }();
    return layout;
}

const std::vector<UINT>& MainToolBarLayout() {
    static const std::vector<UINT> layout = {
        ID_FILE_NEW,   ID_FILE_OPEN,  ID_FILE_SAVE,      ID_SEPARATOR, ID_EDIT_CUT,
        ID_EDIT_COPY,  ID_EDIT_PASTE, ID_SEPARATOR,      ID_ENTRY_NEW, ID_ENTRY_DELETE,
        ID_AUDIO_TEST, ID_SEPARATOR,  ID_TOOLBAR_SEARCH, ID_APP_ABOUT,
    };
    return layout;
}

void RegisterCommandResources() {
    CResourceTable& res = AfxGetResources();
    std::vector<ACCELRES> accelerators;
    for (const CommandInfo& info : CommandTable()) {
        if (!info.strPrompt.isEmpty())
            res.strings[info.nID] = info.strPrompt;
        if (!info.strImage.isEmpty())
            res.images[info.nID] = info.strImage;
        for (const QKeyCombination& key : info.keys)
            accelerators.push_back({key, info.nID});
    }
    // Every entry of the recent-file list shows the prompt of the first.
    for (UINT nID = ID_FILE_MRU_FILE1 + 1; nID <= ID_FILE_MRU_FILE16; ++nID)
        res.strings[nID] = res.strings[ID_FILE_MRU_FILE1];

    MENURES menu;
    for (const MenuLayout& popup : MainMenuLayout()) {
        MENUITEMRES item(popup.strTitle, {});
        for (UINT nID : popup.items) {
            if (nID == ID_SEPARATOR)
                item.popup.emplace_back();
            else
                item.popup.emplace_back(nID, FindCommand(nID)->strLabel);
        }
        menu.popups.push_back(item);
    }
    res.menus[IDR_MAINFRAME] = menu;
    res.accelerators[IDR_MAINFRAME] = accelerators;
    res.toolbars[IDR_MAINFRAME] = {QSize(16, 15), MainToolBarLayout()};
    res.toolbars[IDR_TOOLSBAR] = {QSize(16, 15), ToolsToolBarLayout()};
}
