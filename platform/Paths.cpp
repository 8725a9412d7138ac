#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// "C:" and "C:/..." name a drive of the system the file came from.
bool isDrivePath(const QString& path) {
    return path.size() >= 2 && isAsciiLetter(path.at(0)) && path.at(1) == QLatin1Char(':');
}

// scheme "://" as in a URL: a letter, then letters, digits, "+", "-" or ".".
bool isAddress(const QString& path) {
    const qsizetype colon = path.indexOf(QStringLiteral("://"));
    if (colon < 1 || !isAsciiLetter(path.at(0)))
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = path.at(i);
        if (!isAsciiLetter(c) && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) &&
            c != QLatin1Char('+') && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

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

QString Paths::Resolve(const QString& path, const QString& folder) {
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || isDrivePath(path) || isAddress(path))
        return path;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + path;
    return folder + QLatin1Char('/') + path;
}
