#pragma once

#include <QString>
#include <QStringList>

// The program's arguments: options, and the files, folders, playlists, file:// URIs and
// http or https streams to add.
struct CommandLine {
    // Remote: a command for the running player (the option's name in `remote`).
    enum class Action { Run, Help, Version, Fail, Remote };

    Action action = Action::Run;
    bool newInstance = false;
    QString remote;
    // A -platform argument for the window system was given (and left for Qt to read).
    bool platformArgument = false;
    // What to add, as absolute paths or stream URLs, in the order given; ones that do not exist,
    // and files of a type the player does not take, are left out.
    QStringList paths;
    // Lines for stderr: paths that could not be opened, an unknown option.
    QStringList complaints;

    // Reads the arguments after the program's name; relative paths resolve against `folder`.
    static CommandLine Parse(const QStringList& arguments, const QString& folder);
    static QString Usage();
    static QString Version();
    int ExitCode() const { return action == Action::Fail ? 2 : 0; }
};
