#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class Forms;
class frmMain;
class FormPLS;
class Form1;
class Player;
class QWidget;

// The one place that says who reacts to what another window announced, and the user-facing
// operations. Each operation runs exactly the routines its button runs, so a key, an argument
// or a remote command leaves the skin's look where a click would.
class Controller : public QObject {
    Q_OBJECT
  public:
    // Wires the player at once; the windows as the forms hand them over.
    explicit Controller(Forms& forms);

    // Called once for each window as it is created, before its load handler runs.
    void WireMain(frmMain& main);
    void WirePlaylist(FormPLS& playlist);
    void WireVideo(Form1& video);

    void Play();
    void Pause();
    // Plays from stopped or paused, pauses while playing.
    void PlayPause();
    void Stop();
    void Previous();
    void Next();
    // Seconds from the start of the current file, held inside it.
    void SeekTo(double seconds);
    // 0 (silent) to 1 (full); the knob follows.
    void SetVolume(double fraction);
    // One of the volume track's levels up (positive) or down.
    void StepVolume(int steps);
    // Seconds forwards (positive) or back within the current file.
    void SeekBy(double seconds);
    // The eject button: asks for media, starts it when the list was empty.
    void Eject();
    void AddFolder();
    // Files, folders and ".slv" playlists, each added as its own routine adds it; when the list
    // was empty, the first added entry starts as with the eject button.
    void AddPaths(const QStringList& paths);
    // One file, as a path given on the command line.
    void OpenUri(const QString& path);
    void Quit();
    // Brings the main window up, out of the task bar too, and gives it the focus.
    void Raise();

    // The companions: docked to the main window, shown and hidden by its buttons.
    void DockCompanions();
    void HideCompanions();
    // Both return whether the window is showing afterwards.
    bool ToggleVideo();
    bool TogglePlaylist();

    // Shuffle: the list plays in a random order, each entry once a round. Repeat: the playing
    // file starts again at its end instead of the next entry; previous and next still move.
    void SetShuffle(bool on);
    bool Shuffle() const;
    void SetRepeat(bool on);
    bool Repeat() const;

    // Messages to the user; tests catch them.
    std::function<void(const QString&)> ShowMessage;

  signals:
    // Shuffle or repeat was switched, from whatever side.
    void ModesChanged();

  private:
    void wirePlayer(Player& player);
    void unloadCompanions();
    void dockPlaylist(FormPLS& playlist);
    void addKeys(QWidget* window);
    void addMainKeys(QWidget* window);
    void addPlaylistKeys(FormPLS& playlist);
    void showMessage(const QString& text);
    void entryEnded();
    void queueSoon();
    void queueUpcoming();
    void startIfFilled();

    Forms& forms_;
    bool startWhenFilled_ = false;  // what is being added to an empty list starts
    // Changes come in bursts (a folder of files, a new selection); the queue follows once.
    QTimer queueLater_;
};
