// The find and replace dialog: stays open while the user finds the next
// match (the entry is selected in the tree and the match in its field),
// replaces it, or replaces all after a preview of every change.
#pragma once

#include "Dialog.h"
#include "FindPattern.h"
#include "ReplacePlan.h"

#include <cstdint>
#include <optional>

struct DLGTEMPLATE;

constexpr int IDC_FIND_TEXT = 1100;
constexpr int IDC_REPLACE_TEXT = 1101;
constexpr int IDC_FIELD_TEXT = 1102;
constexpr int IDC_FIELD_COMMENT = 1103;
constexpr int IDC_FIELD_SPEAKER = 1104;
constexpr int IDC_FIELD_AUDIO = 1105;
constexpr int IDC_FIELD_IDENTIFIER = 1106;
constexpr int IDC_FIELD_ALL = 1107;
constexpr int IDC_MATCH_CASE = 1108;
constexpr int IDC_WHOLE_WORDS = 1109;
constexpr int IDC_REGEX = 1110;
constexpr int IDC_REPLACE_STATUS = 1111;
constexpr int IDC_REPLACE_ONE = 1112;
constexpr int IDC_REPLACE_ALL = 1113;

const DLGTEMPLATE& ReplaceDlgTemplate();

class CReplaceDlg : public CDialog {
public:
    explicit CReplaceDlg(QWidget* pParent = nullptr);

    // The match that Find next found last and Replace acts on.
    struct CurrentMatch {
        std::uint32_t position;
        EntryField field;
        std::size_t from;
        std::size_t to;
        std::size_t next; // where Find next goes on in this field
    };
    std::optional<CurrentMatch> m_current;

protected:
    bool OnInitDialog() override;
    // "Find next".
    void OnOK() override;
    void OnReplace();
    void OnReplaceAll();
    // Any change of what to find forgets the current match.
    void OnChangeCriteria();

    DECLARE_MESSAGE_MAP()

private:
    FindOptions Options() const;
    ReplaceScope Scope() const;
    // The compiled pattern, or none after naming the fault in the dialog.
    std::optional<FindPattern> Pattern();
    void SetStatus(const QString& text);
    bool FindNext(const FindPattern& pattern);
    // Shows a match: its entry selected in the tree, its bytes in the field.
    void ShowMatch(const CurrentMatch& match);
};
