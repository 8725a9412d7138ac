#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The library the library benchmarks measure: 10,000 small tagged files of five audio types
// in 1,000 nested folders (10 artists x 10 albums x 10 discs), and the plain ways to walk it
// and to read its lengths that the player is measured against.
class LibraryTree {
  public:
    static constexpr int kFiles = 10000;

    // Makes the tree under `root` with ffmpeg; the files made, none when ffmpeg failed.
    static QStringList Make(const QString& root);
    // Every file under `root`, in natural order: a plain walk.
    static QStringList PlainWalk(const QString& root);
    // FFmpeg's ordinary way to each length in one thread: open, find the stream information
    // (or, with `probe` false, the open alone), read the duration. Returns how many it knew.
    static int PlainLengths(const QStringList& files, bool probe);

    // The measuring kit: the median of runs, the time a piece of work takes, and this
    // process's resident memory.
    static double Median(std::vector<double> values);
    static double TimeMs(const std::function<void()>& work);
    static long ResidentKiB();
};
