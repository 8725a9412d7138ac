#pragma once

#include <QString>

// Settings and playlist files name paths with "\"; the file system here wants "/".
namespace Paths {

// The folder of the running executable, where default.ini and skins/ live.
QString ProgramDirectory();

// Tests point the program directory at a temporary folder; an empty path restores the real one.
void SetProgramDirectory(const QString& directory);

// The path as the file system takes it: every "\" becomes "/".
QString ToFileSystem(const QString& path);

}  // namespace Paths
