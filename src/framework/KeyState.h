#pragma once

// The state of the lock keys (Caps, Num, Scroll) for the status bar's
// indicators. The window system is asked where it can tell; otherwise the
// state follows the lock-key presses the program sees.

#include "AfxDefs.h"

// indicator: ID_INDICATOR_CAPS, ID_INDICATOR_NUM or ID_INDICATOR_SCRL.
bool AfxIsLockKeyOn(UINT indicator);
// Notes a key press (the application's event hook calls it for every key).
void AfxNoteKeyPress(int qtKey);
