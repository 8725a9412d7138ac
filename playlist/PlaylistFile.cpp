#include "playlist/PlaylistFile.h"

#include <QFile>

#include "platform/AtomicSave.h"
#include "platform/Paths.h"

namespace {
const QChar kQuote = QLatin1Char('"');
const QString kEscapedQuote = QStringLiteral("&quot;");
const QString kLineEnd = QStringLiteral("\r\n");

QString escaped(QString value) {
    return value.replace(kQuote, kEscapedQuote);
}
QString unescaped(QString value) {
    return value.replace(kEscapedQuote, kQuote);
}

// 1-based position of needle at or after start, 0 when there is none.
qsizetype inStr(qsizetype start, const QString& text, QStringView needle) {
    if (start < 1 || start > text.size())
        return 0;
    const qsizetype found = text.indexOf(needle, start - 1);
    return found < 0 ? 0 : found + 1;
}
}  // namespace

QString PlaylistFile::PathMarker() {
    return QStringLiteral("<ref href = \"");
}

QString PlaylistFile::NameMarker() {
    return QStringLiteral("<Param Name = \"name\" Value = \"");
}

QString PlaylistFile::Compose(const QStringList& paths, const QStringList& names) {
    QString text;
    const auto line = [&text](const QString& content) { text += content + kLineEnd; };
    line(QStringLiteral("<SLV Version = \"1.1\" >"));
    line(QString());
    line(QStringLiteral("<Param Name = \"Name\" Value = \"Solvane Playlist - ASX Format - \" />"));
    line(QStringLiteral("<Param Name = \"AllowShuffle\" Value = \"yes\" />"));
    line(QString());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        line(QStringLiteral("<Entry>"));
        line(NameMarker() + escaped(names.value(i)) + QStringLiteral("\" />"));
        line(PathMarker() + escaped(paths.at(i)) + QStringLiteral("\" />"));
        line(QStringLiteral("</Entry>"));
        line(QString());
    }
    line(QStringLiteral("</asx>"));
    return text;
}

std::optional<QStringList> PlaylistFile::Scan(const QString& text, const QString& marker,
                                              QStringList* found) {
    const qsizetype length = marker.size();
    qsizetype start = 1;
    for (;;) {
        const qsizetype p = inStr(start, text, marker);
        const qsizetype q = inStr(p + length, text, QStringView(&kQuote, 1));
        const qsizetype valueLength = q - p - length;
        if (valueLength < 0)
            return std::nullopt;  // no closing quote: the scan fails here
        if (p == 0)
            return *found;
        found->append(unescaped(text.mid(p + length - 1, valueLength)));
        start = p + 1;
    }
}

std::optional<QString> PlaylistFile::Write(const QString& path, const QString& text) {
    return AtomicSave::Write(Paths::ToFileSystem(path), text.toUtf8());
}

bool PlaylistFile::Read(const QString& path, QString* text, QString* error) {
    QFile file(Paths::ToFileSystem(path));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    return true;
}
