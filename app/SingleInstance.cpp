#include "app/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>

#include "app/Controller.h"
#include "app/RemoteCommand.h"

namespace {
constexpr int kHandOverTimeoutMs = 3000;
const char* const kHandOverConnection = "solvane-hand-over";

// Calls the running player; false when none answers.
bool callRunningPlayer(const QString& method, const QVariant& argument) {
    bool answered = false;
    {
        // A connection of its own, closed before the player's application object may come.
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, kHandOverConnection);
        if (bus.isConnected() &&
            bus.interface()->isServiceRegistered(SingleInstance::kService).value()) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                SingleInstance::kService, SingleInstance::kPath, SingleInstance::kService, method);
            call << argument;
            const QDBusMessage reply = bus.call(call, QDBus::Block, kHandOverTimeoutMs);
            answered = reply.type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(kHandOverConnection);
    return answered;
}

}  // namespace

bool SingleInstance::HandOver(const QStringList& paths) {
    return callRunningPlayer(QStringLiteral("Open"), paths);
}

bool SingleInstance::Send(const QString& command) {
    return callRunningPlayer(QStringLiteral("Command"), command);
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

void SingleInstance::Command(const QString& name) {
    const RemoteCommand* command = RemoteCommand::Find(name);
    if (!command)
        return;
    QTimer::singleShot(0, this, [this, command] { command->run(controller_); });
}
