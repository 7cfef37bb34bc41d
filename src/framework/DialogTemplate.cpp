// Laying out dialog templates and creating their controls.

#include "DialogTemplate.h"

#include "Bitmap.h"
#include "EditControl.h"
#include "Wnd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace {

// The rectangle a static has in its template, the smallest it is shown at.
constexpr const char* kTemplateRect = "templateRect";

// Multiplies and divides with rounding, as dialog-unit conversion does.
int MulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

bool IsPicture(const DLGITEMTEMPLATE& item) {
    return item.kind == CtlKind::Static && (item.style & SS_TYPEMASK) == SS_BITMAP;
}

// A static showing a bitmap resource at its own size; one that cannot be
// loaded leaves the control empty.
QWidget* CreatePicture(const DLGITEMTEMPLATE& item, QWidget* pParent) {
    auto* label = new QLabel(pParent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(item.text.toUInt()))
        label->setPixmap(bitmap.GetPixmap());
    return label;
}

// The host hears of the edit control's changes and of the focus leaving it.
template <class Edit, class Signal>
void NotifyEdits(Edit* edit, Signal changed, CWnd* pHost, int id) {
    QObject::connect(edit, changed, [pHost, id] { pHost->OnControlNotify(id, EN_CHANGE); });
    QObject::connect(edit, &Edit::focusLost,
                     [pHost, id] { pHost->OnControlNotify(id, EN_KILLFOCUS); });
}

QWidget* CreateControl(const DLGITEMTEMPLATE& item, QWidget* pParent, CWnd* pHost) {
    const int id = item.id;
    switch (item.kind) {
    case CtlKind::Edit:
        if (item.style & ES_MULTILINE) {
            auto* edit = new CEditMultiLine(item.style, pParent);
            edit->SetStoredText(item.text);
            NotifyEdits(edit, &QPlainTextEdit::textChanged, pHost, id);
            edit->m_onEnter = pHost->DefaultButtonHandler();
            return edit;
        } else {
            auto* edit = new CEditLine(item.style, pParent);
            edit->setText(item.text);
            NotifyEdits(edit, &QLineEdit::textChanged, pHost, id);
            return edit;
        }
    case CtlKind::Static: {
        if (IsPicture(item))
            return CreatePicture(item, pParent);
        auto* label = new QLabel(item.text, pParent);
        label->setTextFormat(Qt::PlainText);
        if (item.style & SS_RIGHT)
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        else if (item.style & SS_CENTER)
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        else
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (item.style & SS_SUNKEN)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // A static with room for more than one line wraps its text over them.
        label->setWordWrap(item.rect.height() >= 16);
        return label;
    }
    case CtlKind::GroupBox:
        return new QGroupBox(item.text, pParent);
    case CtlKind::PushButton:
    case CtlKind::DefPushButton: {
        auto* button = new QPushButton(item.text, pParent);
        // In a dialog, Enter presses the push button that has the focus, and
        // the default button only while no other button has it, as Windows
        // does; a button that takes the focus is the default until it loses it.
        button->setAutoDefault(qobject_cast<QDialog*>(pParent->window()) != nullptr);
        button->setDefault(item.kind == CtlKind::DefPushButton);
        QObject::connect(button, &QPushButton::clicked,
                         [pHost, id] { pHost->OnControlNotify(id, BN_CLICKED); });
        return button;
    }
    case CtlKind::RadioButton:
    case CtlKind::CheckBox: {
        QAbstractButton* button = nullptr;
        if (item.kind == CtlKind::RadioButton)
            button = new QRadioButton(item.text, pParent);
        else
            button = new QCheckBox(item.text, pParent);
        button->setAutoExclusive(false); // groups are made from WS_GROUP below
        QObject::connect(button, &QAbstractButton::clicked,
                         [pHost, id] { pHost->OnControlNotify(id, BN_CLICKED); });
        return button;
    }
    }
    return nullptr;
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (width / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QRect CDialogUnits::MapDialogRect(const QRect& rect) const {
    const int left = MulDiv(rect.left(), m_baseX, 4);
    const int top = MulDiv(rect.top(), m_baseY, 8);
    const int right = MulDiv(rect.left() + rect.width(), m_baseX, 4);
    const int bottom = MulDiv(rect.top() + rect.height(), m_baseY, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize CDialogUnits::MapDialogSize(int cx, int cy) const {
    return QSize(MulDiv(cx, m_baseX, 4), MulDiv(cy, m_baseY, 8));
}

void AfxFitStaticToText(QLabel* pStatic) {
    const QRect rect = pStatic->property(kTemplateRect).toRect();
    if (!rect.isValid())
        return;
    // Wider only, on the side away from the alignment; nothing else moves. A
    // wrapping static keeps its width, and none grows past the edge of the
    // group box that holds it, or else of its window: what does not fit there
    // is cut.
    int width = rect.width();
    if (!pStatic->wordWrap()) {
        width = std::max(width, pStatic->sizeHint().width());
        if (const QWidget* parent = pStatic->parentWidget()) {
            int edge = parent->width();
            for (const QGroupBox* box :
                 parent->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
                if (box->geometry().contains(rect)) {
                    const int frame =
                        box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
                    edge = std::min(edge, box->geometry().right() - frame);
                }
            }
            if (edge > rect.right())
                width = std::min(width, std::max(rect.width(), edge - rect.left()));
        }
    }
    const int growth = width - rect.width();
    int left = rect.left();
    if (pStatic->alignment() & Qt::AlignRight)
        left -= growth;
    else if (pStatic->alignment() & Qt::AlignHCenter)
        left -= growth / 2;
    pStatic->setGeometry(left, rect.top(), width, rect.height());
}

QFont AfxTemplateFont(const DLGTEMPLATE& dlgTemplate) {
    QFont font(dlgTemplate.fontName);
    font.setPointSize(dlgTemplate.pointSize);
    return font;
}

std::map<int, QWidget*> AfxCreateDialogControls(const DLGTEMPLATE& dlgTemplate, QWidget* pParent,
                                                CWnd* pHost) {
    const QFont font = AfxTemplateFont(dlgTemplate);
    const CDialogUnits units(font);
    pParent->setFont(font);

    std::map<int, QWidget*> controls;
    QWidget* previousTabStop = nullptr;
    std::vector<QAbstractButton*> radioGroup;
    auto closeRadioGroup = [&] {
        // Radio buttons between two WS_GROUP marks exclude each other; one that
        // opens a group of its own is left to the dialog to check and clear.
        if (radioGroup.size() > 1) {
            auto* group = new QButtonGroup(pParent);
            for (QAbstractButton* button : radioGroup)
                group->addButton(button);
        }
        radioGroup.clear();
    };

    for (const DLGITEMTEMPLATE& item : dlgTemplate.items) {
        QWidget* control = CreateControl(item, pParent, pHost);
        control->setGeometry(units.MapDialogRect(item.rect));
        if (IsPicture(item) && !control->sizeHint().isEmpty())
            control->resize(control->sizeHint()); // a picture sizes its control
        if (item.kind == CtlKind::Static)
            control->setProperty(kTemplateRect, control->geometry());
        control->setProperty("ctrlId", item.id);
        if (item.style & WS_DISABLED)
            control->setEnabled(false);

        if (item.kind == CtlKind::RadioButton) {
            if (item.style & WS_GROUP)
                closeRadioGroup();
            radioGroup.push_back(static_cast<QAbstractButton*>(control));
        } else if (item.style & WS_GROUP || item.kind != CtlKind::Static) {
            closeRadioGroup();
        }

        if (item.kind == CtlKind::Static || item.kind == CtlKind::GroupBox) {
            control->setFocusPolicy(Qt::NoFocus);
        } else if (item.style & WS_TABSTOP) {
            control->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr)
                QWidget::setTabOrder(previousTabStop, control);
            previousTabStop = control;
        } else {
            control->setFocusPolicy(Qt::ClickFocus);
        }
        if (item.kind == CtlKind::GroupBox)
            control->lower(); // a frame drawn behind the controls it surrounds
        if (item.id != IDC_STATIC)
            controls[item.id] = control;
    }
    closeRadioGroup();
    return controls;
}
