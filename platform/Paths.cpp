#include "platform/Paths.h"

#include <QCoreApplication>

namespace {
QString& programDirectoryOverride() {
    static QString directory;
    return directory;
}
}  // namespace

QString Paths::ProgramDirectory() {
    if (!programDirectoryOverride().isEmpty())
        return programDirectoryOverride();
    return QCoreApplication::applicationDirPath();
}

void Paths::SetProgramDirectory(const QString& directory) {
    programDirectoryOverride() = directory;
}

QString Paths::ToFileSystem(const QString& path) {
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}
