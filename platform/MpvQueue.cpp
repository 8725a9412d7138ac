#include "platform/MpvQueue.h"

#include <QByteArray>

#include "platform/MpvCore.h"

void MpvQueue::Apply(MpvCore& core) {
    if (HasQueued() && queued_.path == wanted_)
        return;
    core.Command({"playlist-clear"});  // all but the current entry: one queued file at most
    queued_ = Entry{};
    if (wanted_.isEmpty())
        return;
    const QByteArray file = wanted_.toUtf8();
    core.Command({"loadfile", file.constData(), "append"});
    const std::int64_t count = core.Int("playlist-count", 0);
    if (count < 2)
        return;  // not appended
    queued_.id = core.EntryId(count - 1);
    if (queued_.id >= 0)
        queued_.path = wanted_;
}

void MpvQueue::HandOver() {
    handOver_ = queued_;
    queued_ = Entry{};
    wanted_.clear();
}

MpvQueue::Entry MpvQueue::Take() {
    Entry taken = handOver_;
    handOver_ = Entry{};
    return taken;
}

MpvQueue::Entry MpvQueue::Take(const QString& path) {
    if (!HandingOver() || path != handOver_.path)
        return Entry{};
    return Take();
}
