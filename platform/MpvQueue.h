#pragma once

#include <cstdint>

#include <QString>

class MpvCore;

// The file that follows the current one. It waits in libmpv's playlist behind the current
// entry, so that libmpv opens it ahead of time and joins its sound on without a gap; when the
// current file ends and libmpv goes on to it, it is handed over until the player confirms it.
class MpvQueue {
  public:
    struct Entry {
        QString path;
        std::int64_t id = -1;  // libmpv's playlist entry, -1: none
    };

    // The file wished for next (empty: none); Apply puts it in place.
    void Want(const QString& path) { wanted_ = path; }
    void ForgetWish() { wanted_.clear(); }
    // Makes libmpv's playlist hold the current entry and the wished file behind it.
    void Apply(MpvCore& core);
    // A replacing load emptied libmpv's playlist.
    void Cleared() { queued_ = handOver_ = Entry{}; }

    bool HasQueued() const { return queued_.id >= 0; }
    // The current file ended and libmpv goes on to the queued one.
    void HandOver();
    bool HandingOver() const { return handOver_.id >= 0; }
    bool IsHandOver(std::int64_t id) const { return HandingOver() && id == handOver_.id; }
    // The entry handed over, taken; with a path, only when it is that file (else id -1).
    Entry Take();
    Entry Take(const QString& path);

  private:
    QString wanted_;
    Entry queued_;
    Entry handOver_;
};
