#pragma once

#include <QRegion>
#include <QWidget>

// Cuts a translucent window's outline by transparency, where the window system takes a mask
// only as the input region: a child above every control that clears the pixels outside the
// shape after everything else has painted them.
class TransparentOutside : public QWidget {
    Q_OBJECT
  public:
    // Covers the window and follows its size; the window must be translucent.
    explicit TransparentOutside(QWidget* window);

    // In the window's coordinates.
    void SetShape(const QRegion& shape);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void cover();

    QRegion shape_;
};
