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
// button does not run the item that lies over it. From the keyboard, Up and Down move the
// highlight, Enter runs the highlighted item, Escape closes, and an item's letter runs it.
class SkinMenu : public QWidget {
    Q_OBJECT
  public:
    struct Pieces {
        PictureBox* button = nullptr;
        PictureBox* strip = nullptr;
        PictureBox* box = nullptr;
        std::vector<PictureBox*> items;  // the highlighted looks, top to bottom
    };

    // `letters`: one per item, the first letter of the word that tells the item apart.
    SkinMenu(Pieces pieces, std::vector<std::function<void()>> actions, QString letters);

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
    // Moves the highlight one item down (1) or up (-1) the menu as it shows, wrapping.
    void step(int direction);
    void run(int item);

    Pieces pieces_;
    std::vector<std::function<void()>> actions_;
    QString letters_;
    int highlighted_ = -1;
    int openedOn_ = -1;          // the item under the opening press
    bool openingPress_ = false;  // the press that opened the menu is still held
    bool leftStart_ = false;     // the pointer has left that item since
};
