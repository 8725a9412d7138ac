#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// The longest time the event loop of this thread did not turn while the watch ran: a timer of
// 1 ms notes the time since it last fired.
class EventLoopWatch {
  public:
    EventLoopWatch() {
        ticker_.setInterval(1);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            longestNs_ = std::max(longestNs_, sinceTick_.nsecsElapsed());
            sinceTick_.restart();
        });
    }
    void Start() {
        sinceTick_.start();
        ticker_.start();
    }
    void Stop() { ticker_.stop(); }
    double LongestMs() const { return static_cast<double>(longestNs_) / 1e6; }

  private:
    QElapsedTimer sinceTick_;
    qint64 longestNs_ = 0;
    QTimer ticker_;
};
