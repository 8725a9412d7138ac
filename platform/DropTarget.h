#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Lets a window take files, folders and playlists dropped from a file manager, and http or
// https addresses dropped from a browser: a drag that carries at least one of them (a local
// file of a type the player takes) is accepted, any other is refused (the cursor shows it).
class DropTarget : public QObject {
    Q_OBJECT
  public:
    // Installs itself on the window, which owns it.
    explicit DropTarget(QWidget* window);

    // The local folders, media files and playlists, and the stream URLs, a drag carries, in order.
    static QStringList LocalPaths(const QMimeData* data);

  signals:
    void Dropped(const QStringList& paths);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
