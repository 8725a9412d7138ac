#include "BusClient.h"

#include <QProcess>

#include "MediaFiles.h"

BusClient::Result BusClient::Run(const QString& program, const QStringList& arguments,
                                 int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    Result result;
    if (!process.waitForStarted(5000))
        return result;
    if (!WaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.code = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    result.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return result;
}

BusClient::Result BusClient::Playerctl(const QStringList& arguments) {
    return Run(QStringLiteral("playerctl"), QStringList{"-p", "solvane"} + arguments);
}

BusClient::Result BusClient::Call(const QString& interface, const QString& method,
                                  const QStringList& arguments) {
    return Run(
        QStringLiteral("dbus-send"),
        QStringList{"--session", "--print-reply=literal", "--dest=org.mpris.MediaPlayer2.solvane",
                    "/org/mpris/MediaPlayer2", interface + QLatin1Char('.') + method} +
            arguments);
}

QString BusClient::Property(const QString& interface, const QString& name) {
    return Call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                {QStringLiteral("string:") + interface, QStringLiteral("string:") + name})
        .out.simplified();
}
