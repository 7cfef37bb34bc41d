// Check Options: what the window's check includes beyond the checks that
// always run. Each option is a control of the template and a line of
// DoDataExchange, bound to its field of CCheckSettings.
#pragma once

#include "CheckSettings.h"
#include "DataExchange.h"
#include "Dialog.h"

#include <optional>

constexpr int IDC_CHECK_RECORDINGS = 1101;
constexpr int IDC_CHECK_FOLDER = 1102;
constexpr int IDC_CHECK_LEVELS = 1103;
constexpr int IDC_CHECK_MAX_SILENCE = 1104;
constexpr int IDC_CHECK_LOUDNESS = 1105;
constexpr int IDC_CHECK_TOLERANCE = 1106;
constexpr int IDC_CHECK_PACE = 1107;
constexpr int IDC_CHECK_MAX_CPS = 1108;

class CCheckOptionsDlg : public CDialog {
public:
    // `missionFolder` is only shown: the folder is set in the audio test panel.
    CCheckOptionsDlg(const CCheckSettings& settings, const CString& missionFolder,
                     QWidget* pParent = nullptr);

    CCheckSettings m_settings;
    CButton m_btnRecordings;
    CButton m_btnLevels;
    CButton m_btnPace;

    // A decimal number as typed: blanks around it, a point or a comma before
    // the decimals; none when the text is not one.
    static std::optional<double> ParseDecimal(const CString& text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

private:
    // The numbers' fields are open only while their check is chosen.
    void EnableFields();

    CString m_strFolder;
};
