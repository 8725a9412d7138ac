// Fuzzes the two playlist readers: any bytes, both markers, the paths made ready for the file
// system; no crash, no hang, no memory error.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "playlist/PlaylistFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = PlaylistFile::Decode(bytes);
    // Every byte is read as some character: none turns into the replacement character.
    if (text.contains(QChar(0xFFFD)) && !bytes.contains("\xEF\xBF\xBD"))
        __builtin_trap();
    QStringList paths, names;
    PlaylistFile::Scan(text, PlaylistFile::PathMarker(), &paths);
    PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names);
    paths = PlaylistFile::EntryPaths(paths, QStringLiteral("/lists/list.slv"));
    for (const QString& path : paths)
        if (path.contains(QLatin1Char('\\')))
            __builtin_trap();
    // Writing what was read must not fail either.
    const QString again = PlaylistFile::Compose(paths, names);
    if (!again.endsWith(QStringLiteral("</asx>\r\n")))
        __builtin_trap();
    return 0;
}
