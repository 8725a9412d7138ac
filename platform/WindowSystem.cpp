#include "platform/WindowSystem.h"

#include <QGuiApplication>

bool WindowSystem::PrefersX11(const Session& session, bool platformArgument) {
    const bool wayland =
        !session.waylandDisplay.isEmpty() ||
        session.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    return wayland && !session.display.isEmpty() && session.platform.isEmpty() && !platformArgument;
}

void WindowSystem::ChooseForSession(bool platformArgument) {
    const Session session{qEnvironmentVariable("WAYLAND_DISPLAY"),
                          qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("DISPLAY"),
                          qEnvironmentVariable("QT_QPA_PLATFORM")};
    if (PrefersX11(session, platformArgument))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

bool WindowSystem::NativeWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
