#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class Controller;

// One player at a time: the first start owns a name on the session bus, and a later start
// hands its files over to it and asks it to come forward. A bus name dies with the process
// that owned it, so a crashed player never blocks a new start.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.solvane.Solvane")
  public:
    static constexpr const char* kService = "io.github.solvane.Solvane";
    static constexpr const char* kPath = "/io/github/solvane/Solvane";

    explicit SingleInstance(Controller& controller, QObject* parent = nullptr)
        : QObject(parent), controller_(controller) {}

    // In a start that found a running player: gives it the paths and asks it to come forward.
    // False when none runs, or no session bus can be reached. Needs an application object.
    static bool HandOver(const QStringList& paths);
    // In a start that found a running player: gives it one of the remote commands by name.
    // False when none runs, or no session bus can be reached. Needs an application object.
    static bool Send(const QString& command);

    // Takes the name for this player; false without a session bus or when another has it.
    bool Claim(QDBusConnection bus);

  public slots:
    // Adds the paths as the command line does and raises the main window. Returns at once:
    // the caller is another start waiting to exit.
    Q_SCRIPTABLE void Open(const QStringList& paths);
    // Runs the remote command of that name, as its button would; unknown names do nothing.
    // Returns at once.
    Q_SCRIPTABLE void Command(const QString& name);

  private:
    Controller& controller_;
};
