// Playlist speed: reading and writing lists of 100, 3,276 and 32,767 entries (the largest also in
// Windows-1252), loading the largest into the window (list box included) against reading the same
// file's bytes and splitting them into lines, and scanning a folder of 10,000 files.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "platform/BrowseFolder.h"
#include "platform/Screen.h"
#include "playlist/FormPLS.h"
#include "playlist/PlaylistFile.h"

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

QString listFile(int entries) {
    const QString path = scratch().path() + QStringLiteral("/list%1.slv").arg(entries);
    if (!QFile::exists(path)) {
        QStringList paths, names;
        for (int i = 0; i < entries; ++i) {
            paths << QStringLiteral("/home/user/Videos/Collection %1/clip number %2.avi")
                         .arg(i / 100)
                         .arg(i);
            names << QStringLiteral("clip number %1.avi").arg(i);
        }
        PlaylistFile::Write(path, PlaylistFile::Compose(paths, names));
    }
    return path;
}

void BM_WritePlaylist(benchmark::State& state) {
    QStringList paths, names;
    for (int i = 0; i < state.range(0); ++i) {
        paths << QStringLiteral("/home/user/Videos/clip number %1.avi").arg(i);
        names << QStringLiteral("clip number %1.avi").arg(i);
    }
    const QString path = scratch().path() + QStringLiteral("/written.slv");
    for (auto _ : state) PlaylistFile::Write(path, PlaylistFile::Compose(paths, names));
}

void BM_ReadPlaylist(benchmark::State& state) {
    const QString path = listFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QString text, error;
        PlaylistFile::Read(path, &text, &error);
        QStringList paths, names;
        PlaylistFile::Scan(text, PlaylistFile::PathMarker(), &paths);
        PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names);
        benchmark::DoNotOptimize(paths);
    }
}

// The same list written elsewhere in Windows-1252: every name carries one non-ASCII letter, so
// the reader tries UTF-8, finds it invalid and reads the bytes again.
void BM_ReadPlaylistWindows1252(benchmark::State& state) {
    const QString path = scratch().path() + QStringLiteral("/list-1252.slv");
    if (!QFile::exists(path)) {
        QStringList paths, names;
        for (int i = 0; i < 32767; ++i) {
            paths << QStringLiteral("/home/user/Videos/Collection %1/clip number %2.avi")
                         .arg(i / 100)
                         .arg(i);
            names << QStringLiteral("clip num\u00e9ro %1.avi").arg(i);
        }
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(PlaylistFile::Compose(paths, names).toLatin1());
    }
    for (auto _ : state) {
        QString text, error;
        PlaylistFile::Read(path, &text, &error);
        QStringList paths, names;
        PlaylistFile::Scan(text, PlaylistFile::PathMarker(), &paths);
        PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names);
        benchmark::DoNotOptimize(names);
    }
}

void BM_ReadBytesAndSplitLines(benchmark::State& state) {
    const QString path = listFile(32767);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(file.readAll());
        benchmark::DoNotOptimize(text.split(QStringLiteral("\r\n")));
    }
}

void BM_LoadIntoWindow(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    FormPLS& pls = forms.Playlist();
    const QString path = listFile(32767);
    for (auto _ : state) {
        pls.PullFromASX(path);
        state.PauseTiming();
        pls.Clearlst();
        state.ResumeTiming();
    }
}

QString g_folder;

void BM_ScanFolder(benchmark::State& state) {
    g_folder = scratch().path() + QStringLiteral("/many");
    if (!QDir(g_folder).exists()) {
        QDir().mkpath(g_folder);
        const char* kinds[] = {"mpg", "avi", "txt", "divx", "MPEG"};
        for (int i = 0; i < 10000; ++i)
            QFile(g_folder + QStringLiteral("/file%1.%2").arg(i).arg(kinds[i % 5]))
                .open(QIODevice::WriteOnly);
    }
    modBrowseFolder::SetAnswerForTests([] { return g_folder; });
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    FormPLS& pls = forms.Playlist();
    for (auto _ : state) {
        pls.LblAddDir_Click();
        state.PauseTiming();
        pls.Clearlst();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_WritePlaylist)->Arg(100)->Arg(3276)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlaylist)->Arg(100)->Arg(3276)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlaylistWindows1252)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesAndSplitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond);
