#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program directory for one test; the program directory goes back on destruction.
class TestProgramDir {
  public:
    TestProgramDir();
    ~TestProgramDir();
    QString Path() const { return dir_.path(); }
    QString Make(const QString& relative) const;  // creates a sub-folder, returns its path
    void WriteFile(const QString& relative, const QByteArray& bytes) const;

  private:
    QTemporaryDir dir_;
};

// Test skins whose every pixel tells where it came from: red and green carry x and y,
// blue the bitmap's number and the high bits of x and y.
namespace CoordinateSkin {

struct Origin {
    int bitmap = -1;
    int x = -1;
    int y = -1;
    bool operator==(const Origin& o) const { return bitmap == o.bitmap && x == o.x && y == o.y; }
    bool operator!=(const Origin& o) const { return !(*this == o); }
};

const QStringList& BitmapNames();  // the eleven skin bitmaps, numbered from 1
QSize BuiltInSize(const QString& name);
QImage Make(int bitmap, QSize size);
Origin Decode(QRgb pixel);

// Writes the named bitmaps (all eleven when empty) at their built-in sizes, or scaled.
void Write(const QString& directory, QStringList names = {}, double scale = 1.0);

}  // namespace CoordinateSkin

// A program directory whose default skin is the coordinate skin, written before the program
// that loads it at start is made.
class CoordinateSkinDir : public TestProgramDir {
  public:
    CoordinateSkinDir() { CoordinateSkin::Write(Make(QStringLiteral("skins/silence"))); }
};
