#pragma once

#include <QStringList>
#include <array>
#include <functional>
#include "platform/Form.h"

#include "platform/CommonDialog.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "playlist/ShuffleOrder.h"
#include "skin/PlaylistFace.h"

class Wiring;
class QListWidget;
class QLineEdit;

// The playlist window: a rectangular window whose face is the skin frame painted from the
// playlist bitmap, with the list of entries in the middle.
class FormPLS : public Form, public PlaylistFace {
    Q_OBJECT
  public:
    explicit FormPLS(Wiring& wiring);
    ~FormPLS() override;

    void Form_Load();

    // Navigation: start the entry after or before the current one, wrapping at both ends.
    void PlayNext();
    void PlayPrev();
    void Add();
    void AddFile();
    void LblAddDir_Click();  // adds every media file of a chosen folder
    void Clearlst();
    void SaveLst();
    void WriteToASX(const QString& path);
    void PullFromASX(const QString& path);
    void PullCosmeticsASX(const QString& path);

    // The message boxes of the playlist file; tests catch them.
    std::function<void(const QString&)> MessageBox;

    CommonDialog CD;
    ImageControl* imgMenu = nullptr;  // close hotspot over the top bar's close button
    static QString Getfilename(const QString& path);

    // The current file failed to open / started playing: a run of failures over the whole
    // list stops playback instead of cycling for ever.
    void EntryFailed();
    void EntryPlayed() { failuresInARow_ = 0; }

    int EntryCount() const;
    int CurrentIndex() const;

    // In shuffle, next and previous move through a random order of the entries; turning it on
    // leaves the current entry playing.
    void SetShuffle(bool on);
    bool Shuffle() const { return shuffle_; }
    // The path PlayNext would start now; empty when the list is empty.
    QString UpcomingPath();

    QStringList List1;
    QString Text2 = QStringLiteral("No File");
    QString Text3 = QStringLiteral("No File");
    QString Text3ToolTip;
    QString lbltotalfiles = QStringLiteral("0");
    QString MoviePath;
    QString Text1 = QStringLiteral("Text1");

    int Nofiles = 0;

    QListWidget* List2 = nullptr;
    QLineEdit* Text4 = nullptr;

    // Appends one entry to both lists.
    void AppendEntry(const QString& path, const QString& name);

    void SetFrameSize(float width, float height) override { SetSize(width, height); }

  signals:
    // Every entry of the list failed to open, one after the other.
    void EveryEntryFailed();
    // The list or the current entry changed, so PlayNext may start another path.
    void UpcomingChanged();

  private:
    void createHotspots();
    void popUpMenu(PictureBox* button,
                   const QList<std::pair<QString, std::function<void()>>>& items);
    void startEntry(int k);
    int indexAfter(int i, int n);
    int indexBefore(int i, int n);
    void announceUpcomingChanges();
    void setText2(const QString& path);
    void List2_Click();
    void List2_DblClick();
    void setTotalFiles(const QString& text);
    void createFrame();
    void createWorkingControls();
    PictureBox* box(QWidget* parent, float left, float top, float width, float height,
                    int index = 0);

    Wiring& wiring_;
    int failuresInARow_ = 0;
    bool shuffle_ = false;
    ShuffleOrder shuffleOrder_;
};
