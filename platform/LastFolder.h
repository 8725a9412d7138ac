#pragma once

#include <QString>

// The folder in which the user last chose something through a dialog in this run: every file,
// save and folder dialog opens there. Nothing of it outlives the run.
namespace LastFolder {

// Empty until a dialog has been answered.
QString Get();

// A file was chosen: its folder is remembered.
void RememberFile(const QString& file);

// A folder was chosen: it is remembered itself.
void RememberFolder(const QString& folder);

}  // namespace LastFolder
