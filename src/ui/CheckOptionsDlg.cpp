#include "CheckOptionsDlg.h"

#include "DialogTemplate.h"
#include "EditControl.h"
#include "Prompts.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "check/Wording.h"

#include <QAbstractButton>
#include <charconv>
#include <cmath>

namespace {

constexpr DWORD kNumber = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

const DLGTEMPLATE kCheckOptionsTemplate{
    "Check Options",
    270,
    120,
    "Tahoma",
    8,
    DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    {
        {IDC_STATIC, CtlKind::Static,
         "Besides the entries, the check looks at:", QRect(7, 7, 190, 8), 0},
        {IDC_CHECK_RECORDINGS, CtlKind::CheckBox, "the &recordings in the mission folder",
         QRect(14, 21, 180, 10), WS_TABSTOP},
        {IDC_CHECK_FOLDER, CtlKind::Static, "", QRect(26, 34, 180, 8), 0},
        {IDC_CHECK_LEVELS, CtlKind::CheckBox, "their &levels: clipping, silence, loudness, format",
         QRect(26, 46, 180, 10), WS_TABSTOP},
        {IDC_STATIC, CtlKind::Static, "silence longer than", QRect(38, 61, 66, 8), 0},
        {IDC_CHECK_MAX_SILENCE, CtlKind::Edit, "", QRect(106, 59, 34, 12), kNumber},
        {IDC_STATIC, CtlKind::Static, "ms at a start or end", QRect(144, 61, 70, 8), 0},
        {IDC_STATIC, CtlKind::Static, "loudness", QRect(38, 77, 66, 8), 0},
        {IDC_CHECK_LOUDNESS, CtlKind::Edit, "", QRect(106, 75, 34, 12), kNumber},
        {IDC_STATIC, CtlKind::Static, "LUFS, give or take", QRect(144, 77, 62, 8), 0},
        {IDC_CHECK_TOLERANCE, CtlKind::Edit, "", QRect(208, 75, 24, 12), kNumber},
        {IDC_STATIC, CtlKind::Static, "LU", QRect(235, 77, 14, 8), 0},
        {IDC_CHECK_PACE, CtlKind::CheckBox, "lines &faster than", QRect(14, 97, 76, 10),
         WS_TABSTOP},
        {IDC_CHECK_MAX_CPS, CtlKind::Edit, "", QRect(92, 96, 28, 12), kNumber},
        {IDC_STATIC, CtlKind::Static, "characters per second", QRect(124, 98, 90, 8), 0},
        {IDOK, CtlKind::DefPushButton, "OK", QRect(213, 7, 50, 14), WS_TABSTOP},
        {IDCANCEL, CtlKind::PushButton, "Cancel", QRect(213, 24, 50, 14), WS_TABSTOP},
    },
};

UINT RegisteredCheckOptionsTemplate() {
    AfxGetResources().dialogs[IDD_CHECK_OPTIONS] = &kCheckOptionsTemplate;
    return IDD_CHECK_OPTIONS;
}

enum class Range { AboveZero, ZeroOrMore, Any };

// Moves a decimal number between its field and `value`; a field that is
// closed keeps the number it showed. A number that is refused says what is
// wanted and ends the exchange there.
void DDX_Decimal(CDataExchange* pDX, int nIDC, double& value, Range range, const char* what) {
    QWidget* control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        AfxSetWindowText(control, QString::fromStdString(check::Decimal(value)));
        return;
    }
    if (!control->isEnabled())
        return;
    const std::optional<double> number = CCheckOptionsDlg::ParseDecimal(AfxGetWindowText(control));
    const bool fits = number && (range == Range::Any || *number > 0.0 ||
                                 (range == Range::ZeroOrMore && *number == 0.0));
    if (!fits) {
        const char* wanted = range == Range::AboveZero    ? "a decimal number above 0"
                             : range == Range::ZeroOrMore ? "a decimal number of 0 or more"
                                                          : "a decimal number";
        AfxMessageBox(
            QStringLiteral("Enter %1 for %2.").arg(QLatin1String(wanted), QLatin1String(what)),
            MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = *number;
}

} // namespace

std::optional<double> CCheckOptionsDlg::ParseDecimal(const CString& text) {
    std::string digits = text.trimmed().toStdString();
    for (char& c : digits)
        if (c == ',')
            c = '.';
    double value = 0.0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, std::chars_format::fixed);
    if (digits.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

CCheckOptionsDlg::CCheckOptionsDlg(const CCheckSettings& settings, const CString& missionFolder,
                                   QWidget* pParent)
    : CDialog(RegisteredCheckOptionsTemplate(), pParent), m_settings(settings),
      m_strFolder(missionFolder) {}

void CCheckOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHECK_RECORDINGS, m_btnRecordings);
    DDX_Control(pDX, IDC_CHECK_LEVELS, m_btnLevels);
    DDX_Control(pDX, IDC_CHECK_PACE, m_btnPace);
    if (pDX->m_bSaveAndValidate) {
        m_settings.bRecordings = m_btnRecordings.GetCheck() != 0;
        m_settings.bLevels = m_btnLevels.GetCheck() != 0;
        m_settings.bPace = m_btnPace.GetCheck() != 0;
    } else {
        m_btnRecordings.SetCheck(m_settings.bRecordings ? 1 : 0);
        m_btnLevels.SetCheck(m_settings.bLevels ? 1 : 0);
        m_btnPace.SetCheck(m_settings.bPace ? 1 : 0);
    }
    DDX_Decimal(pDX, IDC_CHECK_MAX_SILENCE, m_settings.levels.maxSilenceMs, Range::ZeroOrMore,
                "the silence at a start or end");
    DDX_Decimal(pDX, IDC_CHECK_LOUDNESS, m_settings.levels.loudness, Range::Any, "the loudness");
    DDX_Decimal(pDX, IDC_CHECK_TOLERANCE, m_settings.levels.loudnessTolerance, Range::ZeroOrMore,
                "how far the loudness may be from it");
    DDX_Decimal(pDX, IDC_CHECK_MAX_CPS, m_settings.dMaxPerSecond, Range::AboveZero,
                "the characters per second");
}

bool CCheckOptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CHECK_FOLDER,
                   m_strFolder.isEmpty()
                       ? QStringLiteral("(the mission folder is empty: the current folder)")
                       : QStringLiteral("(%1)").arg(m_strFolder));
    for (CButton* button : {&m_btnRecordings, &m_btnLevels, &m_btnPace})
        QObject::connect(button->m_pButton, &QAbstractButton::toggled, button->m_pButton,
                         [this] { EnableFields(); });
    EnableFields();
    return true;
}

void CCheckOptionsDlg::EnableFields() {
    const bool recordings = m_btnRecordings.GetCheck() != 0;
    const bool levels = recordings && m_btnLevels.GetCheck() != 0;
    GetDlgItem(IDC_CHECK_LEVELS)->setEnabled(recordings);
    for (int id : {IDC_CHECK_MAX_SILENCE, IDC_CHECK_LOUDNESS, IDC_CHECK_TOLERANCE})
        GetDlgItem(id)->setEnabled(levels);
    GetDlgItem(IDC_CHECK_MAX_CPS)->setEnabled(m_btnPace.GetCheck() != 0);
}
