#include "platform/APIINISystem.h"

#include <QFile>
#include <QStringView>

#include "platform/Paths.h"

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

// A value wrapped in a matching pair of quotes loses them.
QStringView unquote(QStringView value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Looks the key up in the text; the first matching section and key win.
bool findValue(const QString& text, const QString& section, const QString& key, QString* value) {
    bool inSection = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == QLatin1Char(';'))
            continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QStringView name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        *value = unquote(line.mid(equals + 1).trimmed()).toString();
        return true;
    }
    return false;
}

}  // namespace

void APIINISystem::INI_Create(const QString& strDrv, const QString& strDir) {
    iniFile_ = JoinPath(strDrv, strDir);
}

QString APIINISystem::INI_Read(const QString& strSection, const QString& strKey,
                               const QString& strDefault) const {
    QString value = strDefault;
    QFile file(Paths::ToFileSystem(iniFile_));
    if (!iniFile_.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const QString text = QString::fromUtf8(file.readAll());
        findValue(text, strSection, strKey, &value);
    }
    return value.left(kMaxValueLength);
}

QString APIINISystem::JoinPath(const QString& folder, const QString& fileName) {
    qsizetype end = folder.size();
    while (end > 0 && isSeparator(folder.at(end - 1))) --end;
    qsizetype start = 0;
    while (start < fileName.size() && isSeparator(fileName.at(start))) ++start;
    return folder.left(end) + QLatin1Char('/') + fileName.mid(start);
}
