// Fuzzes the two playlist readers: any text, both markers, no crash, no hang, no memory error.
#include <cstddef>
#include <cstdint>

#include <QString>
#include <QStringList>

#include "playlist/PlaylistFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList paths, names;
    PlaylistFile::Scan(text, PlaylistFile::PathMarker(), &paths);
    PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names);
    // Writing what was read must not fail either.
    const QString again = PlaylistFile::Compose(paths, names);
    if (!again.endsWith(QStringLiteral("</asx>\r\n")))
        __builtin_trap();
    return 0;
}
