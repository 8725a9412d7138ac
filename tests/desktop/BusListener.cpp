#include "BusListener.h"

#include "MediaFiles.h"

BusListener::BusListener(const QString& program, const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(program, arguments);
    process_.waitForStarted(5000);
}

BusListener::~BusListener() {
    process_.kill();
    process_.waitForFinished(2000);
}

QString BusListener::Output() {
    output_ += QString::fromUtf8(process_.readAll());
    return output_;
}

bool BusListener::WaitFor(const QString& text, int timeoutMs) {
    return ::WaitFor([&] { return Output().contains(text); }, timeoutMs);
}

void BusListener::Clear() {
    Output();
    output_.clear();
}
