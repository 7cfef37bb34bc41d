// Check Options: what the window's check includes beyond the checks that
// always run. Each later option is a control of the template and a line of
// DoDataExchange, bound to its field of CCheckSettings.
#pragma once

#include "CheckSettings.h"
#include "DataExchange.h"
#include "Dialog.h"

constexpr int IDC_CHECK_RECORDINGS = 1101;
constexpr int IDC_CHECK_FOLDER = 1102;

class CCheckOptionsDlg : public CDialog {
public:
    // `missionFolder` is only shown: the folder is set in the audio test panel.
    CCheckOptionsDlg(const CCheckSettings& settings, const CString& missionFolder,
                     QWidget* pParent = nullptr);

    CCheckSettings m_settings;
    CButton m_btnRecordings;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

private:
    CString m_strFolder;
};
