#include "playlist/PlaylistFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined stay the C1 controls, as in
// Latin-1, which Windows-1252 equals everywhere else.
const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
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

QStringList PlaylistFile::EntryPaths(const QStringList& written, const QString& playlistPath) {
    const QString folder = QFileInfo(playlistPath).absolutePath();
    QStringList paths;
    paths.reserve(written.size());
    for (const QString& path : written) paths << Paths::Resolve(Paths::ToFileSystem(path), folder);
    return paths;
}

QString PlaylistFile::Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

std::optional<QString> PlaylistFile::Write(const QString& path, const QString& text) {
    return AtomicSave::Write(path, text.toUtf8());
}

bool PlaylistFile::Read(const QString& path, QString* text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *text = Decode(file.readAll());
    return true;
}
