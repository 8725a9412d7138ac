#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Lets a window take files, folders and playlists dropped from a file manager: a drag that
// carries at least one local folder or file of a type the player takes is accepted, any other
// is refused (the cursor shows it).
class DropTarget : public QObject {
    Q_OBJECT
  public:
    // Installs itself on the window, which owns it.
    explicit DropTarget(QWidget* window);

    // The local folders, media files and playlists a drag carries, in order.
    static QStringList LocalPaths(const QMimeData* data);

  signals:
    void Dropped(const QStringList& paths);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
