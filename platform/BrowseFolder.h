#pragma once

#include <QString>

class QWidget;

// The folder browser: the folder chosen, without a trailing separator except for the root,
// or the empty string when the user cancels. It opens in the folder last used in this run.
namespace modBrowseFolder {

QString BrowseFolder(QWidget* owner);

// Tests answer the browser instead of a user.
void SetAnswerForTests(QString (*answer)());

}  // namespace modBrowseFolder
