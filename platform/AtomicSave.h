#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Replaces a file whole: the bytes go to a temporary file beside it, are flushed to disk, and
// the temporary is renamed over the file. Killed at any moment, the file is either the old one
// or the new one. The temporary has one name per file, so a save that was killed half-way
// leaves at most that one file, and the next save of the same file takes it over.
namespace AtomicSave {

// On failure the old file is intact and the system's description of the failure is returned.
// A link is followed, so the link stays and the file it names is replaced; the file's
// permissions stay.
std::optional<QString> Write(const QString& path, const QByteArray& bytes);

// The temporary file used while `path` is being saved.
QString TemporaryPath(const QString& path);

}  // namespace AtomicSave
