#include "platform/LastFolder.h"

#include <QFileInfo>

namespace {
QString& lastFolder() {
    static QString folder;
    return folder;
}
}  // namespace

QString LastFolder::Get() {
    return lastFolder();
}

void LastFolder::RememberFile(const QString& file) {
    if (!file.isEmpty())
        lastFolder() = QFileInfo(file).absolutePath();
}

void LastFolder::RememberFolder(const QString& folder) {
    if (!folder.isEmpty())
        lastFolder() = QFileInfo(folder).absoluteFilePath();
}
