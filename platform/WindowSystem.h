#pragma once

#include <QString>

// Which of Qt's display platforms the windows run on. The player is made for X11: windows
// shaped by their masks, and companions it places itself. A native Wayland client can do
// neither (the compositor places every window, and a mask only limits input), so in a Wayland
// session that has XWayland the program asks for X11 unless the user chose a platform.
class WindowSystem {
  public:
    // The parts of the environment the choice at start-up reads.
    struct Session {
        QString waylandDisplay;  // WAYLAND_DISPLAY
        QString sessionType;     // XDG_SESSION_TYPE
        QString display;         // DISPLAY: XWayland's, in a Wayland session
        QString platform;        // QT_QPA_PLATFORM: the user's choice
    };

    // Whether to ask for X11: a Wayland session, an X display beside it, and no platform
    // chosen by the environment or by a -platform argument.
    static bool PrefersX11(const Session& session, bool platformArgument);
    // Before the application object exists: asks for X11 when PrefersX11 says so.
    static void ChooseForSession(bool platformArgument);

    // Whether the windows are native Wayland clients.
    static bool NativeWayland();
};
