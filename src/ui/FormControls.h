// The control ids of the two forms of the right pane: the entry editor
// (template 130) and the statistics (template 131).
#pragma once

// Entry editor form.
constexpr int IDC_ID = 1000;
constexpr int IDC_IDENTIFIER = 1001;
constexpr int IDC_TEXT = 1002;
constexpr int IDC_AUDIOFILE = 1003;
constexpr int IDC_LABEL_ID = 1005;
constexpr int IDC_LABEL_IDENTIFIER = 1006;
constexpr int IDC_LABEL_AUDIOFILE = 1007;
constexpr int IDC_LABEL_TEXT = 1008;
constexpr int IDC_COMMENT = 1009;
constexpr int IDC_LABEL_COMMENT = 1010;
constexpr int IDC_TEXT_WORDS = 1014;
constexpr int IDC_COMMENT_WORDS = 1015;
constexpr int IDC_TEXT_CHARS = 1016;
constexpr int IDC_COMMENT_CHARS = 1017;
constexpr int IDC_SPEAKER = 1020;
constexpr int IDC_LISTEN = 1021;
constexpr int IDC_LISTEN_FEMALE = 1040;
constexpr int IDC_LENGTH = 1041;

// Statistics form.
constexpr int IDC_STAT_ENTRIES = 1012;
constexpr int IDC_STAT_WORDS = 1018;
constexpr int IDC_STAT_CHARS = 1019;
