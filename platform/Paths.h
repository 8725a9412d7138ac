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

// The path as the file system takes it: every "\" becomes "/".
QString ToFileSystem(const QString& path);

}  // namespace Paths
