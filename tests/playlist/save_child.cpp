// The real save of a large playlist in a process of its own, so that a test can kill it at
// any moment: `save_child TARGET ENTRIES`. The playlist window is the program's own; the save
// is the one its save button makes once the dialog has given the path. Prints "saving" just
// before the save and "saved" once it is complete; a failure's message is printed and the exit
// code is 3.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "TestForms.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"

namespace {
void say(const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}
}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        say(QStringLiteral("usage: save_child TARGET ENTRIES"));
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    const int entries = std::atoi(argv[2]);

    TestForms forms{[] { return std::make_unique<MpvPlaybackControl>(); }};
    FormPLS& playlist = forms.Playlist();
    bool failed = false;
    playlist.MessageBox = [&failed](const QString& text) {
        say(text);
        failed = true;
    };
    for (int i = 0; i < entries; ++i) {
        const QString name =
            QStringLiteral("Track %1 - K\u00e4se & \"Quotes\"").arg(i, 5, 10, QLatin1Char('0'));
        playlist.AppendEntry(QStringLiteral("/media/music/Artist %1/Album %2/%3.mp3")
                                 .arg(i % 97)
                                 .arg(i % 13)
                                 .arg(name),
                             name);
    }
    say(QStringLiteral("saving"));
    playlist.WriteToASX(target);
    if (failed)
        return 3;
    say(QStringLiteral("saved"));
    return 0;
}
