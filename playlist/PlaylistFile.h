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

    static QString PathMarker();
    static QString NameMarker();

    // Writes beside the target and puts the file in place only when it is complete. On
    // failure the old file is intact and the error text is returned.
    static std::optional<QString> Write(const QString& path, const QString& text);

    // The whole file as text, or the error text.
    static bool Read(const QString& path, QString* text, QString* error);
};
