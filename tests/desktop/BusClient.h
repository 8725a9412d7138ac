#pragma once

#include <QString>
#include <QStringList>

// The bus's own command-line clients, run while this process's event loop goes on: the player
// under test answers from that loop, so a client waited on with the loop stopped would wait
// on itself.
class BusClient {
  public:
    struct Result {
        int code = -1;  // -1: did not start or did not end in time
        QString out;    // trimmed
        QString err;
    };

    static Result Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000);
    // playerctl aimed at our player by name.
    static Result Playerctl(const QStringList& arguments);
    // A method of the player's object called with dbus-send (arguments in its notation).
    static Result Call(const QString& interface, const QString& method,
                       const QStringList& arguments = {});
    // A property read with dbus-send, printed as its literal value.
    static QString Property(const QString& interface, const QString& name);
};
