#include "platform/BrowseFolder.h"

#include <QFileDialog>

#include "platform/LastFolder.h"

namespace {
QString (*testAnswer)() = nullptr;
}

void modBrowseFolder::SetAnswerForTests(QString (*answer)()) {
    testAnswer = answer;
}

QString modBrowseFolder::BrowseFolder(QWidget* owner) {
    QString folder;
    if (testAnswer) {
        folder = testAnswer();
    } else {
        folder = QFileDialog::getExistingDirectory(
            owner, QStringLiteral("Select Directory"), LastFolder::Get(),
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    }
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    LastFolder::RememberFolder(folder);
    return folder;
}
