#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Every type the player takes: its extensions and MIME types, and whether it is sound, picture
// or a list of other files. The dialogs' filters, the folder scan, drops, the command line, the
// menu entry and MPRIS all read this one table, so a type added here is offered everywhere.
class MediaTypes {
  public:
    enum class Kind { Audio, Video, Playlist };
    struct Type {
        QString name;
        Kind kind;
        QStringList extensions;  // lower case, without the dot
        QStringList mimeTypes;
    };

    static const std::vector<Type>& All();

    // The kind of a file by its extension, whatever its case; nothing for other files and
    // for names without an extension.
    static std::optional<Kind> KindOf(const QString& path);
    static bool IsPlayable(const QString& path);  // audio or video
    static bool IsPlaylist(const QString& path);

    // "*.ext" for every extension of the given kinds, in table order.
    static QStringList Patterns(std::initializer_list<Kind> kinds);
    // Where a file comes in a folder's scan: the six long-standing patterns first, then WMV
    // and MP3, then the other playable types; -1 when the scan does not take it.
    static int ScanRank(const QString& fileName);
    static QStringList ScanPatterns();

    // The open dialog's filter: every type, the long-standing filters, then by kind.
    static QString OpenFilter();
    static QString PlaylistFilter();
    static QStringList MimeTypes();

  private:
    static QString suffix(const QString& path);
};
