#pragma once

#include <QObject>

class QMenu;

// Gives a popup menu the desktop's letter keys without marking its captions: the first letter
// of an item runs it when no other item starts with that letter, and otherwise moves the
// highlight to the next item that does.
class MenuLetters : public QObject {
    Q_OBJECT
  public:
    // The menu owns the filter.
    static void Install(QMenu& menu);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit MenuLetters(QMenu& menu);
    QMenu& menu_;
};
