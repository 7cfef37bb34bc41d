// Lock-key state. Under X11 the keyboard's indicators are asked; elsewhere
// (and offscreen) the state follows the lock-key presses the program sees.

#include "KeyState.h"

#include <QGuiApplication>
#include <Qt>

#if defined(LEXARIUM_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
// Xlib after Qt: its macros would clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace {

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockKeys& State() {
    static LockKeys keys;
    return keys;
}

#if defined(LEXARIUM_HAVE_X11)
// True when the window system could tell; the answer is in `on`.
bool QueryIndicator(UINT indicator, bool& on) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return false;
    const char* name = indicator == ID_INDICATOR_CAPS  ? "Caps Lock"
                       : indicator == ID_INDICATOR_NUM ? "Num Lock"
                                                       : "Scroll Lock";
    const Atom atom = XInternAtom(display, name, True);
    Bool state = False;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr))
        return false;
    on = state != False;
    return true;
}
#else
bool QueryIndicator(UINT, bool&) {
    return false;
}
#endif

} // namespace

bool AfxIsLockKeyOn(UINT indicator) {
    bool on = false;
    if (QueryIndicator(indicator, on))
        return on;
    switch (indicator) {
    case ID_INDICATOR_CAPS:
        return State().caps;
    case ID_INDICATOR_NUM:
        return State().num;
    case ID_INDICATOR_SCRL:
        return State().scroll;
    default:
        return false;
    }
}

void AfxNoteKeyPress(int qtKey) {
    switch (qtKey) {
    case Qt::Key_CapsLock:
        State().caps = !State().caps;
        break;
    case Qt::Key_NumLock:
        State().num = !State().num;
        break;
    case Qt::Key_ScrollLock:
        State().scroll = !State().scroll;
        break;
    default:
        break;
    }
}
