#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class PictureBox;

// One of the bottom bar's button menus, drawn from the pieces the frame painter paints: the
// side strip, the menu box with its items, and each item's highlighted look. A press on the
// button opens it in its place over the frame; the item under the pointer shows its highlighted
// look; releasing over an item runs it, releasing elsewhere closes the menu. A click that never
// leaves the item it opened on keeps the menu open for a second click, so a quick click on the
// button does not run the item that lies over it.
class SkinMenu : public QWidget {
    Q_OBJECT
  public:
    struct Pieces {
        PictureBox* button = nullptr;
        PictureBox* strip = nullptr;
        PictureBox* box = nullptr;
        std::vector<PictureBox*> items;  // the highlighted looks, top to bottom
    };

    SkinMenu(Pieces pieces, std::vector<std::function<void()>> actions);

    // Opens over the owner's frame; `pressAt` is the global point of the opening press.
    void Open(QPoint pressAt);
    // The item under the pointer, -1 for none.
    int Highlighted() const { return highlighted_; }
    // The item at a point of the menu, -1 for none.
    int ItemAt(QPoint local) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    int stripWidth() const;
    void highlight(int item);
    void run(int item);

    Pieces pieces_;
    std::vector<std::function<void()>> actions_;
    int highlighted_ = -1;
    int openedOn_ = -1;          // the item under the opening press
    bool openingPress_ = false;  // the press that opened the menu is still held
    bool leftStart_ = false;     // the pointer has left that item since
};
