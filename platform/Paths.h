#pragma once

#include <QString>

// Settings and playlist files name paths with "\"; the file system here wants "/".
namespace Paths {

// Where default.ini and skins/ live: the running executable's folder when it holds default.ini
// (a build folder), else the share/solvane folder of the prefix the executable is installed in.
QString ProgramDirectory();

// The same choice for an executable in the given folder.
QString ProgramDirectoryFor(const QString& executableDirectory);

// Tests point the program directory at a temporary folder; an empty path restores the real one.
void SetProgramDirectory(const QString& directory);

// A path written in a settings or playlist file, where "\" is the other system's separator,
// as the file system here takes it: every "\" becomes "/". Never for paths that a dialog, the
// command line or a drop hands over: there "\" is an ordinary character of a name.
QString ToFileSystem(const QString& path);

// A relative path taken from `folder`; an absolute path, another system's drive path ("C:/m")
// and an address ("http://...") are not relative to anything here and stay as they are, and so
// does the empty path.
QString Resolve(const QString& path, const QString& folder);

}  // namespace Paths
