// The audio test panel: steps through the file's entries in collection order,
// shows each one's fields with the path of the recording found for it, plays
// the plain or the female recording on request, and is where the user types
// the mission folder. It never changes an entry.
#pragma once

#include "Dialog.h"

#include <cstdint>

struct DLGTEMPLATE;

// Controls of the panel's template.
constexpr int IDC_AUDIO_PRIOR = 1028;
constexpr int IDC_AUDIO_NEXT = 1029;
constexpr int IDC_AUDIO_FOLDER = 1030;
constexpr int IDC_AUDIO_LISTEN = 1031;
constexpr int IDC_AUDIO_LISTEN_FEMALE = 1032;
constexpr int IDC_AUDIO_TEXT = 1033;
constexpr int IDC_AUDIO_FILENAME = 1034;
constexpr int IDC_AUDIO_ID = 1035;
constexpr int IDC_AUDIO_IDENTIFIER = 1036;
constexpr int IDC_AUDIO_SPEAKER = 1037;

// The panel's layout in dialog units.
const DLGTEMPLATE& AudioTestDlgTemplate();

class CAudioTestDlg : public CDialog {
public:
    explicit CAudioTestDlg(QWidget* pParent = nullptr);
    ~CAudioTestDlg() override;

    // Runs the panel; when it closes, its player bars go with it.
    INT_PTR DoModal() override;

    // Shows the entry at `position` (taken as unsigned: -1 and positions past
    // the end show nothing) and, if `play`, plays its recording.
    void ShowEntry(std::int32_t position, bool play, bool female);
    // A visible player bar over the panel, between the folder and the entry.
    void PlayFile(CString path);

    std::int32_t m_nPosition = -1; // no entry shown yet
    CString m_strFolder;
    CString m_strText;
    CString m_strSpeaker;
    CString m_strIdentifier;
    CString m_strId;
    CString m_strFileName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    void OnNext();
    void OnPrior();
    void OnChangeFolder();
    // The plain or, from its own button, the female recording.
    void OnListen(UINT nID);

    DECLARE_MESSAGE_MAP()
};
