#include <gtest/gtest.h>

#include <QSignalSpy>

#include "app/Player.h"

namespace {

// A control whose state the test sets; nothing here needs a window.
class ScriptedControl : public PlaybackControl {
  public:
    void Play() override {}
    void Pause() override {}
    void Stop() override {}
    void SetFileName(const QString& path) override { files << path; }
    QString FileName() const override { return files.value(files.size() - 1); }
    void QueueNext(const QString& path) override { queued = path; }
    double CurrentPosition() const override { return 0.0; }
    void SetCurrentPosition(double) override {}
    double Duration() const override { return 10.0; }
    int PlayState() const override { return state; }
    bool AtEnd() const override { return atEnd; }
    bool OpenFailed() const override { return failed; }
    void SetVolume(int) override {}
    void SetBalance(int) override {}
    int Volume() const override { return 0; }
    int Balance() const override { return 0; }
    int AudioChannels() const override { return 2; }
    int SourcePictureWidth() const override { return width; }
    QWidget* Surface() override { return nullptr; }

    void Become(int s) {
        const int old = state;
        state = s;
        emit StateChange(old, s);
        if (atEnd)
            emit Ended();
    }
    QStringList files;
    QString queued;
    int state = Closed;
    bool atEnd = false;
    bool failed = false;
    int width = 0;
};

// What each state change of the control means, in the order the windows rely on.
TEST(Player, TellsWhatEachStateChangeMeans) {
    const struct {
        int state;
        bool atEnd, failed;
        int width;
        int started, ended, failedToOpen, pictures;
        bool hasPicture;
    } cases[] = {
        {PlaybackControl::Waiting, false, false, 640, 0, 0, 0, 0, false},
        {PlaybackControl::Playing, false, false, 640, 1, 0, 0, 1, true},
        {PlaybackControl::Playing, false, false, 0, 1, 0, 0, 1, false},
        {PlaybackControl::Closed, false, true, 0, 0, 0, 1, 0, false},
        {PlaybackControl::Stopped, true, false, 640, 0, 1, 0, 0, false},
    };
    for (const auto& c : cases) {
        auto owned = std::make_unique<ScriptedControl>();
        ScriptedControl& control = *owned;
        Player player(std::move(owned));
        QSignalSpy states(&player, &Player::StateChanged), started(&player, &Player::Started),
            ended(&player, &Player::Ended), failed(&player, &Player::FailedToOpen),
            pictures(&player, &Player::PictureKnown);
        control.atEnd = c.atEnd;
        control.failed = c.failed;
        control.width = c.width;
        control.Become(c.state);
        EXPECT_EQ(states.count(), 1) << "state " << c.state;
        EXPECT_EQ(started.count(), c.started) << "state " << c.state;
        EXPECT_EQ(ended.count(), c.ended) << "state " << c.state;
        EXPECT_EQ(failed.count(), c.failedToOpen) << "state " << c.state;
        ASSERT_EQ(pictures.count(), c.pictures) << "state " << c.state;
        if (c.pictures) {
            EXPECT_EQ(pictures.first().first().toBool(), c.hasPicture);
        }
    }
}

TEST(Player, RepeatQueuesThePlayingFileAndTheModesAreAnnouncedOncePerChange) {
    auto owned = std::make_unique<ScriptedControl>();
    ScriptedControl& control = *owned;
    Player player(std::move(owned));
    QSignalSpy modes(&player, &Player::ModesChanged);
    control.SetFileName("/m/a.mp3");
    player.QueueNext("/m/b.mp3");
    EXPECT_EQ(control.queued, "/m/b.mp3");
    player.SetRepeat(true);
    player.SetRepeat(true);
    player.QueueNext("/m/b.mp3");
    EXPECT_EQ(control.queued, "/m/a.mp3");
    player.PlayAgain();
    EXPECT_EQ(control.files, (QStringList{"/m/a.mp3", "/m/a.mp3"}));
    player.SetShuffle(true);
    EXPECT_EQ(modes.count(), 2);
    EXPECT_EQ(Player::StateOf(PlaybackControl::Waiting), Player::State::Loading);
}

}  // namespace
