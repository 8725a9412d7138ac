#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A client that keeps running and printing what it hears (playerctl --follow, dbus-monitor);
// ended when the listener goes.
class BusListener {
  public:
    BusListener(const QString& program, const QStringList& arguments);
    ~BusListener();
    BusListener(const BusListener&) = delete;
    BusListener& operator=(const BusListener&) = delete;

    // Runs the event loop until the output so far holds the text; false when time is up.
    bool WaitFor(const QString& text, int timeoutMs = 10000);
    QString Output();
    // Forgets what was heard so far.
    void Clear();

  private:
    QProcess process_;
    QString output_;
};
