#include "app/RemoteCommand.h"

#include "app/Controller.h"

const std::vector<RemoteCommand>& RemoteCommand::All() {
    static const std::vector<RemoteCommand> commands = {
        {"play", "play, or go on from pause", [](Controller& c) { c.Play(); }},
        {"pause", "pause", [](Controller& c) { c.Pause(); }},
        {"play-pause", "pause while playing, play otherwise", [](Controller& c) { c.PlayPause(); }},
        {"stop", "stop", [](Controller& c) { c.Stop(); }},
        {"next", "go to the next entry", [](Controller& c) { c.Next(); }},
        {"previous", "go to the previous entry", [](Controller& c) { c.Previous(); }},
        {"volume-up", "turn the volume up a step", [](Controller& c) { c.StepVolume(1); }},
        {"volume-down", "turn the volume down a step", [](Controller& c) { c.StepVolume(-1); }},
    };
    return commands;
}

const RemoteCommand* RemoteCommand::Find(const QString& name) {
    for (const RemoteCommand& command : All())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}
