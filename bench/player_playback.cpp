// Measurements of the whole player on real libmpv, with audio output off:
//   cpu <file>        plays the file through the player's windows, video output off too, and
//                     prints the CPU seconds used
//   video <file> [full]  the same with the picture shown in the docked video window, or full
//                     screen
//   gap <a> <b>       the time from the end of a to b playing, through the player (with the
//                     next file queued, and loading each file afresh as it did before) and
//                     through libmpv's own playlist advance, in milliseconds
//   skip <good> <broken>... <good>  the time from the end of the first file to the last one
//                     playing, over files that cannot be played, through the player, in
//                     milliseconds
//   mpvskip <good> <broken>... <good>  the same through libmpv's own playlist with the same
//                     prefetch
#include <mpv/client.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <functional>

#include "TestForms.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The control as it was before it queued the next file: each change is a fresh load.
class UnqueuedControl : public MpvPlaybackControl {
  public:
    using MpvPlaybackControl::MpvPlaybackControl;
    void QueueNext(const QString&) override {}
};

// A silent control whose observer is connected before the video window's own rule, so that it
// sees the end of the media before the next entry starts.
ControlFactory silentControlObservedBy(std::function<void(PlaybackControl&, int)> observer,
                                       bool queued = true, bool video = false) {
    return [observer, queued, video] {
        const auto options = MpvPlaybackControl::Options::Silent(video);
        std::unique_ptr<MpvPlaybackControl> control =
            queued ? std::make_unique<MpvPlaybackControl>(options)
                   : std::make_unique<UnqueuedControl>(options);
        PlaybackControl* raw = control.get();
        QObject::connect(raw, &PlaybackControl::StateChange, raw,
                         [raw, observer](int, int now) { observer(*raw, now); });
        return control;
    };
}

int playerCpu(QApplication& app, const QString& file, bool video = false, bool full = false) {
    TestForms forms(silentControlObservedBy(
        [&app](PlaybackControl& control, int now) {
            if (now == PlaybackControl::Stopped && control.CurrentPosition() == control.Duration())
                app.quit();
        },
        true, video));
    forms.Main().show();
    forms.Playlist().AppendEntry(file, file);
    // One entry would start again at its end; stop the measurement there instead.
    const double before = cpuSeconds();
    forms.Playlist().PlayNext();
    forms.Main().GoPlay(false);
    QTimer fullScreen;
    bool wentFull = false;
    QObject::connect(&fullScreen, &QTimer::timeout, [&] {
        if (!forms.VideoExists())
            return;  // closing
        if (full && forms.Video().isVisible() && !forms.Video().IsFullScreen())
            forms.Video().SetFullScreen(true);
        wentFull = wentFull || forms.Video().IsFullScreen();
    });
    fullScreen.start(20);
    app.exec();
    std::printf("player cpu %.3f s%s\n", cpuSeconds() - before, wentFull ? " (full screen)" : "");
    return 0;
}

int playerGap(QApplication& app, const QString& a, const QString& b, bool queued) {
    QElapsedTimer clock;
    double gap = -1;
    TestForms forms(silentControlObservedBy(
        [&](PlaybackControl& control, int now) {
            if (now == PlaybackControl::Stopped &&
                control.CurrentPosition() == control.Duration() && !clock.isValid())
                clock.start();  // the video window's rule starts the next entry from this event
            if (now == PlaybackControl::Playing && clock.isValid() && gap < 0) {
                gap = clock.nsecsElapsed() / 1e6;
                app.quit();
            }
        },
        queued));
    forms.Playlist().AppendEntry(a, a);
    forms.Playlist().AppendEntry(b, b);
    forms.Playlist().PlayNext();
    app.exec();
    std::printf("player%s gap %.2f ms\n", queued ? "" : " unqueued", gap);
    return 0;
}

// From the end of the first file to the last one playing, over the broken files between.
int playerSkip(QApplication& app, const QStringList& files) {
    QElapsedTimer clock;
    double took = -1;
    TestForms forms(silentControlObservedBy([&](PlaybackControl& control, int now) {
        if (now == PlaybackControl::Stopped && control.CurrentPosition() == control.Duration() &&
            !clock.isValid())
            clock.start();
        if (now == PlaybackControl::Playing && control.FileName() == files.last() &&
            clock.isValid() && took < 0) {
            took = clock.nsecsElapsed() / 1e6;
            app.quit();
        }
    }));
    for (const QString& file : files) forms.Playlist().AppendEntry(file, file);
    forms.Playlist().PlayNext();
    QTimer::singleShot(30000, &app, &QApplication::quit);
    app.exec();
    std::printf("player skip %.2f ms\n", took);
    return took < 0 ? 1 : 0;
}

// libmpv's own playlist over the same files, opening the next one ahead as the player does.
int mpvSkip(const QStringList& files) {
    mpv_handle* mpv = mpv_create();
    for (auto [k, v] : {std::pair{"config", "no"},
                        {"ao", "null"},
                        {"vo", "null"},
                        {"idle", "yes"},
                        {"prefetch-playlist", "yes"},
                        {"gapless-audio", "weak"}})
        mpv_set_option_string(mpv, k, v);
    mpv_initialize(mpv);
    for (const QString& file : files) {
        const QByteArray path = file.toUtf8();
        const char* load[] = {"loadfile", path.constData(), "append-play", nullptr};
        mpv_command(mpv, load);
    }
    QElapsedTimer clock;
    double took = -1;
    while (took < 0) {
        mpv_event* event = mpv_wait_event(mpv, 30);
        if (event->event_id == MPV_EVENT_NONE || event->event_id == MPV_EVENT_IDLE)
            break;
        if (event->event_id == MPV_EVENT_END_FILE && !clock.isValid() &&
            static_cast<mpv_event_end_file*>(event->data)->reason == MPV_END_FILE_REASON_EOF)
            clock.start();
        if (event->event_id == MPV_EVENT_PLAYBACK_RESTART && clock.isValid())
            took = clock.nsecsElapsed() / 1e6;
    }
    mpv_terminate_destroy(mpv);
    std::printf("mpv skip %.2f ms\n", took);
    return took < 0 ? 1 : 0;
}

int mpvGap(const QString& a, const QString& b) {
    mpv_handle* mpv = mpv_create();
    for (auto [k, v] : {std::pair{"config", "no"}, {"ao", "null"}, {"vo", "null"}, {"idle", "yes"}})
        mpv_set_option_string(mpv, k, v);
    mpv_initialize(mpv);
    const QByteArray fa = a.toUtf8(), fb = b.toUtf8();
    const char* load1[] = {"loadfile", fa.constData(), "replace", nullptr};
    const char* load2[] = {"loadfile", fb.constData(), "append", nullptr};
    mpv_command(mpv, load1);
    mpv_command(mpv, load2);
    QElapsedTimer clock;
    double gap = -1;
    for (;;) {
        mpv_event* event = mpv_wait_event(mpv, 30);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        if (event->event_id == MPV_EVENT_END_FILE &&
            static_cast<mpv_event_end_file*>(event->data)->reason == MPV_END_FILE_REASON_EOF)
            clock.start();
        if (event->event_id == MPV_EVENT_PLAYBACK_RESTART && clock.isValid()) {
            gap = clock.nsecsElapsed() / 1e6;
            break;
        }
    }
    mpv_terminate_destroy(mpv);
    std::printf("mpv gap %.2f ms\n", gap);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "cpu")
        return playerCpu(app, args[2]);
    if ((args.size() == 3 || args.size() == 4) && args[1] == "video")
        return playerCpu(app, args[2], true, args.size() == 4 && args[3] == "full");
    if (args.size() == 4 && args[1] == "gap")
        return playerGap(app, args[2], args[3], true) + playerGap(app, args[2], args[3], false) +
               mpvGap(args[2], args[3]);
    // Each in a process of its own: libmpv's first probe of each kind of file costs more.
    if (args.size() >= 4 && args[1] == "skip")
        return playerSkip(app, args.mid(2));
    if (args.size() >= 4 && args[1] == "mpvskip")
        return mpvSkip(args.mid(2));
    std::fprintf(stderr,
                 "usage: player_playback cpu <file> | video <file> [full] | gap <a> <b> | "
                 "skip|mpvskip <good> <broken>... <good>\n");
    return 2;
}
