// The About box and its template.

#include "AboutDlg.h"

#include "DataExchange.h"
#include "DialogTemplate.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QSettings>

namespace {

constexpr int IDC_ABOUT_UNICODE = 1042;

// Positions of the notice lines in the template.
constexpr size_t kFirstNotice = 2;
constexpr size_t kSecondNotice = 3;
constexpr size_t kThirdNotice = 5;

DLGITEMTEMPLATE Line(const char* text, int y, DWORD style = SS_CENTER) {
    return {IDC_STATIC, CtlKind::Static, QString::fromUtf8(text), QRect(108, y, 157, 8), style};
}

// Dialog 100, in dialog units, controls in template order. The notice lines
// are filled in each time the box opens; the first two are fitted to the
// width of their line, the settings path is shown whole (OnInitDialog).
const DLGTEMPLATE& AboutTemplate() {
    static DLGTEMPLATE tmpl{
        QStringLiteral("About Vantor TextResource Editor"),
        281,
        132,
        QStringLiteral("MS Sans Serif"),
        8,
        DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
        {
            Line("Vantor TextResource Editor", 17, SS_CENTER | SS_NOPREFIX),
            {IDOK, CtlKind::DefPushButton, QStringLiteral("OK"), QRect(161, 103, 50, 14),
             WS_TABSTOP | WS_GROUP},
            Line("", 58),
            Line("", 69),
            {IDC_STATIC, CtlKind::Static, QString::number(IDB_ABOUT), QRect(7, 10, 85, 114),
             SS_BITMAP},
            Line("", 88),
            Line("Version 1.0", 28),
            {IDC_STATIC, CtlKind::GroupBox, QString(), QRect(101, 7, 173, 118), 0},
            {IDC_ABOUT_UNICODE, CtlKind::Static, QStringLiteral("UNICODE"), QRect(108, 38, 157, 8),
             SS_CENTER},
        }};
    const QFontMetrics metrics(AfxTemplateFont(tmpl));
    const CDialogUnits units(AfxTemplateFont(tmpl));
    auto fit = [&](size_t index, const CString& text) {
        DLGITEMTEMPLATE& item = tmpl.items[index];
        item.text =
            metrics.elidedText(text, Qt::ElideMiddle, units.MapDialogRect(item.rect).width());
    };
    fit(kFirstNotice, AboutCopyrightLine());
    fit(kSecondNotice, AboutQtLine());
    tmpl.items[kThirdNotice].text = AboutSettingsLine();
    return tmpl;
}

UINT RegisteredAboutTemplate() {
    AfxGetResources().dialogs[IDD_ABOUTBOX] = &AboutTemplate();
    return IDD_ABOUTBOX;
}

} // namespace

CString AboutCopyrightLine() {
    return QStringLiteral("Copyright \u00a9 2026 the Lexarium developers");
}

CString AboutQtLine() {
    // The window system matters too when something looks or behaves wrong.
    return QStringLiteral("Running on Qt %1 (%2)")
        .arg(QString::fromLatin1(qVersion()), QGuiApplication::platformName());
}

CString AboutSettingsLine() {
    CString file;
    if (CWinApp* app = AfxGetApp())
        file = app->OpenProfile()->fileName();
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QLatin1String("/") && file.startsWith(home + QLatin1Char('/')))
        file = QLatin1Char('~') + file.mid(home.size());
    return QStringLiteral("Settings: %1").arg(QDir::toNativeSeparators(file));
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(QWidget* pParentWnd) : CDialog(RegisteredAboutTemplate(), pParentWnd) {
    m_strUnicode.clear();
}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowSettingsWhole();
    return true;
}

void CAboutDlg::ShowSettingsWhole() {
    const CString text = AboutSettingsLine();
    QLabel* line = nullptr;
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->text() == text)
            line = label;
    }
    if (line == nullptr)
        return;
    // A path breaks after its separators as well as at blanks.
    CString breakable = text;
    breakable.replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    line->setWordWrap(true);
    line->setText(breakable);
    const int growth = line->heightForWidth(line->width()) - line->height();
    if (growth <= 0)
        return;
    // The line takes the height it needs; what is below it moves down, and
    // the group box and the box grow with it.
    const int below = line->geometry().bottom();
    line->resize(line->width(), line->height() + growth);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == line)
            continue;
        if (qobject_cast<QGroupBox*>(child) != nullptr && child->geometry().bottom() >= below)
            child->resize(child->width(), child->height() + growth);
        else if (child->geometry().top() >= below)
            child->move(child->x(), child->y() + growth);
    }
    setFixedSize(width(), height() + growth);
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ABOUT_UNICODE, m_strUnicode);
}
