#pragma once

#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include "platform/Form.h"

#include "platform/CommonDialog.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "skin/PlaylistFace.h"

class Wiring;
class EntryListView;
class PlaylistModel;
class QLineEdit;
class SkinMenu;
struct SkinPalette;

// The playlist window: a rectangular window whose face is the skin frame painted from the
// playlist bitmap, with a view of the playlist model in the middle. The entries, the playing
// entry and the way through them live in the model; the selection is the view's.
class FormPLS : public Form, public PlaylistFace {
    Q_OBJECT
  public:
    FormPLS(Wiring& wiring, PlaylistModel& model);
    ~FormPLS() override;

    void Form_Load();

    // Navigation: start the entry after or before the current one, wrapping at both ends.
    void PlayNext();
    void PlayPrev();
    void Add();
    void AddFile();
    void LblAddDir_Click();  // adds every media file of a chosen folder
    void ScanFolder(const QString& path);
    // A file, a folder or a ".slv" playlist given by path, added as its own routine adds it.
    void AddPath(const QString& path);
    // Enter on the list: as a double-click.
    void PlaySelected();
    void Clearlst();
    void SaveLst();
    void WriteToASX(const QString& path);
    // Appends a playlist: ".slv", or by its name an M3U, M3U8 or PLS list of another player.
    void PullFromASX(const QString& path);

    // The message boxes of the playlist file; tests catch them.
    std::function<void(const QString&)> MessageBox;

    CommonDialog CD;
    ImageControl* imgMenu = nullptr;  // close hotspot over the top bar's close button
    static QString Getfilename(const QString& path);

    // The current file failed to open: a run of failures over the whole list stops playback
    // instead of cycling for ever.
    void EntryFailed();

    int EntryCount() const;
    int CurrentIndex() const;
    PlaylistModel& Model() { return model_; }
    const PlaylistModel& Model() const { return model_; }

    // In shuffle, next and previous move through a random order of the entries; turning it on
    // leaves the current entry playing.
    void SetShuffle(bool on);
    bool Shuffle() const;
    // The path PlayNext would start now; empty when the list is empty.
    QString UpcomingPath();

    QString Text2 = QStringLiteral("No File");
    QString Text3 = QStringLiteral("No File");
    QString Text3ToolTip;
    QString lbltotalfiles = QStringLiteral("0");
    QString MoviePath;
    QString Text1 = QStringLiteral("Text1");

    int Nofiles = 0;

    EntryListView* List2 = nullptr;
    QLineEdit* Text4 = nullptr;

    // Appends one entry: its path and its display name.
    void AppendEntry(const QString& path, const QString& name);
    // The entry last started, marked in the list; -1 when none is.
    int PlayingIndex() const;

    // The frame was painted afresh: the list takes the new skin's colours too.
    void SetFrameSize(float width, float height) override;

    // The bottom bar's menus. Entries move with their paths and names; the playing entry plays
    // on and stays selected if it was.
    void AddPlaylist();   // appends a chosen playlist; starts it when the list was empty
    void LoadPlaylist();  // replaces the list with a chosen playlist
    void RemoveSelected();
    void RemoveMissing();     // every entry whose file no longer exists
    void RemoveDuplicates();  // later entries of a path already listed, except the playing one
    void SelectPlaying();
    void SelectFirst();
    void SelectLast();
    void SortByName();
    void SortByPath();
    void Reverse();
    void NewList();
    enum ButtonMenuId { AddMenu, RemoveMenu, SelectMenu, MiscMenu, ListMenu };
    SkinMenu* ButtonMenu(ButtonMenuId id) const { return menus_[id]; }
    const SkinPalette& Colours() const;

  signals:
    // Every entry of the list failed to open, one after the other.
    void EveryEntryFailed();
    // An entry was handed to the playback control to play, from whatever side.
    void EntryStarted();
    // The list or the current entry changed, so PlayNext may start another path.
    void UpcomingChanged();

  private:
    void createHotspots();
    void createMenus();
    void setUpListLook();
    // Puts the entries in the given order of old rows; the selection and the playing mark
    // follow their entries.
    void applyOrder(const QList<int>& order);
    void selectRow(int row);
    QString choosePlaylist();
    // Dialogs open over the playlist window when it shows, else over the player.
    QWidget* dialogOwner();
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
    PlaylistModel& model_;
    std::array<SkinMenu*, 5> menus_{};  // owned by the window as its children
};
