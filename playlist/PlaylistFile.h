#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The playlist file: fixed header lines and five lines per entry, read back by searching the
// whole text for two marker strings.
class PlaylistFile {
  public:
    // The file text for the entries; a missing name is written empty. A double quote inside a
    // path or name is written as &quot; so that it cannot cut the entry short.
    static QString Compose(const QStringList& paths, const QStringList& names);

    // Every value that follows the marker, up to the next double quote, in file order. The
    // scan fails (nothing) where a marker, or the last search, finds no closing quote:
    // `found` then holds the values read before the failure.
    static std::optional<QStringList> Scan(const QString& text, const QString& marker,
                                           QStringList* found);

    // The paths as read, for the file system here: "\" becomes "/" and a relative path is
    // taken from the folder of the playlist file `playlistPath`.
    static QStringList EntryPaths(const QStringList& written, const QString& playlistPath);

    // The file's text: UTF-8 when the bytes are valid UTF-8, else Windows-1252, the code page
    // in which such files come from elsewhere.
    static QString Decode(const QByteArray& bytes);

    static QString PathMarker();
    static QString NameMarker();

    // Writes UTF-8 beside the target and puts the file in place only when it is complete. On
    // failure the old file is intact and the error text is returned. `path` names the file as
    // the dialog gave it.
    static std::optional<QString> Write(const QString& path, const QString& text);

    // The whole file as text (see Decode), or the error text.
    static bool Read(const QString& path, QString* text, QString* error);
};
