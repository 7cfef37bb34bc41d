// Dialog templates 130 (the entry editor form) and 131 (the statistics form),
// in dialog units; controls in tab order.

#include "AppResources.h"
#include "DialogTemplate.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace {

constexpr DWORD kLine = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kMultiLine =
    WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;

DLGITEMTEMPLATE Label(int id, const char* text, int x, int y, int cx = 40) {
    return {id, CtlKind::Static, QString::fromLatin1(text), QRect(x, y, cx, 8), SS_LEFT};
}

const DLGTEMPLATE& TextFormTemplate() {
    static const DLGTEMPLATE tmpl{
        {},
        490,
        400,
        QStringLiteral("Tahoma"),
        8,
        WS_CHILD,
        {
            Label(1005, "id:", 18, 17),
            {1000, CtlKind::Edit, {}, QRect(63, 15, 40, 14), kLine},
            Label(1006, "identifier:", 18, 39),
            {1001, CtlKind::Edit, {}, QRect(63, 36, 315, 14), kLine | ES_UPPERCASE},
            Label(1007, "audio file:", 18, 60),
            {1003, CtlKind::Edit, {}, QRect(63, 58, 225, 14), kLine},
            Label(1008, "text:", 18, 81),
            {1002, CtlKind::Edit, {}, QRect(63, 81, 315, 106), kMultiLine},
            Label(1010, "comment:", 18, 218),
            {1009, CtlKind::Edit, {}, QRect(63, 218, 315, 99), kMultiLine},
            Label(IDC_STATIC, "speaker:", 18, 359),
            {1020, CtlKind::Edit, {}, QRect(63, 357, 315, 14), kLine},
            Label(IDC_STATIC, "length:", 297, 61, 28),
            {1041, CtlKind::Edit, {}, QRect(327, 58, 40, 14), kLine},
            Label(IDC_STATIC, "ms", 370, 61, 12),
            {1021, CtlKind::PushButton, QStringLiteral("listen"), QRect(384, 58, 32, 14),
             WS_TABSTOP},
            {1040, CtlKind::PushButton, QStringLiteral("listen female"), QRect(419, 58, 57, 14),
             WS_TABSTOP},
            Label(IDC_STATIC, "words:", 63, 193, 38),
            {1014, CtlKind::Static, {}, QRect(103, 193, 19, 8), SS_LEFT},
            Label(IDC_STATIC, "characters:", 63, 203, 40),
            {1016, CtlKind::Static, {}, QRect(104, 203, 26, 8), SS_LEFT},
            Label(IDC_STATIC, "words:", 63, 326, 40),
            {1015, CtlKind::Static, {}, QRect(104, 326, 19, 8), SS_LEFT},
            Label(IDC_STATIC, "characters:", 63, 337, 40),
            {1017, CtlKind::Static, {}, QRect(104, 338, 19, 8), SS_LEFT},
        }};
    return tmpl;
}

const DLGTEMPLATE& BlankFormTemplate() {
    static const DLGTEMPLATE tmpl{
        {},
        343,
        276,
        QStringLiteral("MS Sans Serif"),
        8,
        WS_CHILD,
        {
            {IDC_STATIC, CtlKind::GroupBox, QStringLiteral("statistic:"), QRect(7, 18, 116, 56), 0},
            Label(IDC_STATIC, "number of entries:", 17, 31, 62),
            {1012, CtlKind::Static, QStringLiteral("#entries"), QRect(80, 31, 28, 10), SS_LEFT},
            Label(IDC_STATIC, "number of words:", 17, 43, 62),
            {1018, CtlKind::Static, QStringLiteral("#words"), QRect(80, 43, 24, 8), SS_LEFT},
            Label(IDC_STATIC, "number of chars:", 17, 57, 62),
            {1019, CtlKind::Static, QStringLiteral("#chars"), QRect(80, 57, 23, 8), SS_LEFT},
        }};
    return tmpl;
}

} // namespace

void RegisterFormTemplates() {
    AfxGetResources().dialogs[IDD_TEXT_FORM] = &TextFormTemplate();
    AfxGetResources().dialogs[IDD_BLANK_FORM] = &BlankFormTemplate();
}
