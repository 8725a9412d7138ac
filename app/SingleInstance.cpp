#include "app/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>

#include "app/Controller.h"

namespace {
constexpr int kHandOverTimeoutMs = 3000;
const char* const kHandOverConnection = "solvane-hand-over";
}  // namespace

bool SingleInstance::HandOver(const QStringList& paths) {
    bool handed = false;
    {
        // A connection of its own, closed before the player's application object may come.
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, kHandOverConnection);
        if (bus.isConnected() && bus.interface()->isServiceRegistered(kService).value()) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                kService, kPath, QStringLiteral("io.github.solvane.Solvane"),
                QStringLiteral("Open"));
            call << paths;
            const QDBusMessage reply = bus.call(call, QDBus::Block, kHandOverTimeoutMs);
            handed = reply.type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(kHandOverConnection);
    return handed;
}

bool SingleInstance::Claim(QDBusConnection bus) {
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(kPath, this, QDBusConnection::ExportScriptableSlots))
        return false;
    if (bus.registerService(kService))
        return true;
    bus.unregisterObject(kPath);
    return false;
}

void SingleInstance::Open(const QStringList& paths) {
    QTimer::singleShot(0, this, [this, paths] {
        controller_.AddPaths(paths);
        controller_.Raise();
    });
}
