#pragma once

#include <QString>
#include <vector>

class Controller;

// The command-line options that drive a running player (--play and the like), each running
// the operation its button runs.
struct RemoteCommand {
    const char* name;  // the option without its dashes
    const char* help;  // the option's line in the usage text
    void (*run)(Controller& controller);

    static const std::vector<RemoteCommand>& All();
    // The command with that name, or nullptr.
    static const RemoteCommand* Find(const QString& name);
};
