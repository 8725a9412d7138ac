#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>

class Controller;
class Forms;
class FormPLS;
class MprisPlayer;
class PlaybackControl;

// The player as an MPRIS 2 media player on the session bus, for media keys, panel widgets and
// remote controls. Every command runs a user-facing operation, so the window's look follows
// a remote command as it follows a click; every change of what the bus can see is announced.
class Mpris : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kService = "org.mpris.MediaPlayer2.solvane";
    static constexpr const char* kPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

    explicit Mpris(Forms& forms);
    ~Mpris() override;
    Mpris(const Mpris&) = delete;
    Mpris& operator=(const Mpris&) = delete;

    // Owns the player's name and serves its object. Without a usable bus nothing is done and
    // nothing is said: the player runs as before.
    bool Register(QDBusConnection bus);
    bool Registered() const { return registered_; }
    // The name owned: the plain one, or one with an instance suffix when another player has it.
    QString ServiceName() const { return serviceName_; }
    QDBusConnection Bus() const { return bus_; }

    QString PlaybackStatus() const;
    QVariantMap Metadata();
    qlonglong Position() const;  // microseconds
    double Volume() const;
    // Shuffle and repeat as the toggles show them; repeat is the "Track" loop, and the list
    // always wraps, so without repeat the loop is "Playlist".
    bool Shuffle() const;
    void SetShuffle(bool on);
    QString LoopStatus() const;
    void SetLoopStatus(const QString& status);
    bool CanGoNext() const;
    bool CanGoPrevious() const { return CanGoNext(); }
    bool CanPlay() const;
    bool CanSeek() const;

    // Runs one user-facing operation and announces what it changed.
    void Run(void (Controller::*operation)());
    void SetVolume(double fraction);
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& track, qlonglong position);
    // Adds a local file; false with the reason when the address is not one.
    bool OpenUri(const QString& uri, QString* error);

    // Announces each property that changed since the last announcement.
    void Publish();

  private:
    struct Track {
        quint64 number = 0;  // 0: no track
        QString path;
        qlonglong length = -1;
        QString title;
        QString artist;
        QString album;
        QString cover;  // a picture file of the album
        bool operator==(const Track& other) const;
        bool operator!=(const Track& other) const { return !(*this == other); }
    };

    // The windows, unless they are gone: nothing here ever creates one.
    PlaybackControl* control() const;
    FormPLS* playlist() const;
    void connectSources();
    void onStateChange(int newState);
    void refreshTrack();
    QString displayName(const QString& path) const;
    QVariantMap announced() const;
    QVariantMap metadataOf(const Track& track) const;
    QDBusObjectPath trackPath(const Track& track) const;

    Forms& forms_;
    MprisPlayer* player_ = nullptr;  // owned as a child
    QDBusConnection bus_{QString()};
    QString serviceName_;
    bool registered_ = false;
    Track track_;
    Track publishedTrack_;
    QVariantMap published_;
    quint64 tracksStarted_ = 0;
    bool restarted_ = false;  // a file was given anew since the track was last looked at
};
