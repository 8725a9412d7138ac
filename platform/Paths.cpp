#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& programDirectoryOverride() {
    static QString directory;
    return directory;
}
}  // namespace

QString Paths::ProgramDirectory() {
    if (!programDirectoryOverride().isEmpty())
        return programDirectoryOverride();
    return ProgramDirectoryFor(QCoreApplication::applicationDirPath());
}

QString Paths::ProgramDirectoryFor(const QString& executableDirectory) {
    // A build folder holds default.ini beside the program; an installed program keeps its data
    // in the usual share folder of its prefix.
    if (QFileInfo(executableDirectory + QStringLiteral("/default.ini")).isFile())
        return executableDirectory;
    return QDir::cleanPath(executableDirectory + QStringLiteral("/../share/solvane"));
}

void Paths::SetProgramDirectory(const QString& directory) {
    programDirectoryOverride() = directory;
}

QString Paths::ToFileSystem(const QString& path) {
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}
