// Lock-key state, followed from the key presses the program sees.

#include "KeyState.h"

#include <Qt>

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

} // namespace

bool AfxIsLockKeyOn(UINT indicator) {
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
