#pragma once

// The program's own command and resource ids, shared by the document, the
// views and the application's resources.

#include "AfxDefs.h"

constexpr UINT IDR_MAINFRAME = 128; // menu, accelerators, toolbar, icon, document string
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDB_SPLASH = 102; // the start-up picture, 350 x 511
constexpr UINT IDB_ABOUT = 133;  // the About box's picture, 128 x 186
constexpr UINT IDD_TEXT_FORM = 130;
constexpr UINT IDD_BLANK_FORM = 131;
constexpr UINT IDD_AUDIO_TEST = 132;
constexpr UINT IDD_SEARCH = 134;
constexpr UINT IDD_REPLACE = 140;
constexpr UINT IDD_REPLACE_PREVIEW = 141;
constexpr UINT IDS_TREE_ROOT = 1446;

constexpr UINT ID_ENTRY_NEW = 2772;
constexpr UINT ID_ENTRY_DELETE = 2773;
constexpr UINT ID_FILE_EXPORT = 32775;
constexpr UINT ID_AUDIO_TEST = 32776;
constexpr UINT ID_EDIT_SEARCH = 32777;
constexpr UINT ID_TOOLBAR_SEARCH = 32778;

// Beyond the first release: a reference file beside the open one.
constexpr UINT ID_TOOLS_REFERENCE = 32850; // Tools: open a reference file
constexpr UINT ID_VIEW_REFERENCE = 32851;  // View: show or hide the reference pane
constexpr UINT ID_TOOLS_LENGTHS = 32852;   // Tools: stored lengths from the recordings

// Commands beyond the original set: find and replace, the filter over the tree.
constexpr UINT ID_EDIT_REPLACE = 32800;
constexpr UINT ID_VIEW_FILTER = 32801;

// Commands that came after the first editor, with ids of their own.
constexpr UINT ID_TOOLS_CHECK = 33000;
constexpr UINT ID_TOOLS_CHECK_OPTIONS = 33001;
constexpr UINT ID_VIEW_PROBLEMS = 33002;
constexpr UINT ID_NEXT_PROBLEM = 33003;
constexpr UINT ID_PREV_PROBLEM = 33004;
// The second toolbar (resource and window id) and the problems pane's window id.
constexpr UINT IDR_TOOLSBAR = 170;
constexpr UINT IDW_PROBLEMS_PANE = 171;
constexpr UINT IDD_CHECK_OPTIONS = 172;
