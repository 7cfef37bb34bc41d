// The window system's window manager.

#include "WindowSystem.h"

#include <QGuiApplication>

#if defined(LEXARIUM_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
// Xlib after Qt: its macros would clash with Qt's names.
#include <X11/Xlib.h>
#endif

bool AfxHasWindowManager() {
#if defined(LEXARIUM_HAVE_X11)
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (Display* display = x11 != nullptr ? x11->display() : nullptr) {
        // A window manager is the one client that redirects the root window's
        // map and configure requests to itself.
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, DefaultRootWindow(display), &attributes) != 0)
            return (attributes.all_event_masks & SubstructureRedirectMask) != 0;
    }
#endif
    // Elsewhere (Windows, macOS, Wayland, and the offscreen platform, which
    // maximizes by itself) the window system does it.
    return true;
}
