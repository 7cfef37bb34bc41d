#pragma once

// Questions about the window system the program runs on.

// Whether a window manager places, sizes and maximizes the top-level windows.
// On X11 there may be none (a bare virtual display); then the program has to
// size a maximized window itself.
bool AfxHasWindowManager();
