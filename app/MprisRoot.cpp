#include "app/MprisRoot.h"

#include <QTimer>

#include "app/Controller.h"

MprisRoot::MprisRoot(QObject* parent, Controller& operations)
    : QDBusAbstractAdaptor(parent), operations_(operations) {}

QStringList MprisRoot::SupportedMimeTypes() const {
    // The types the open dialog offers: MP3, AVI and DivX, MPEG and DAT, ASF and WMV.
    return {QStringLiteral("audio/mpeg"),      QStringLiteral("audio/mp3"),
            QStringLiteral("video/x-msvideo"), QStringLiteral("video/avi"),
            QStringLiteral("video/divx"),      QStringLiteral("video/mpeg"),
            QStringLiteral("video/x-ms-asf"),  QStringLiteral("application/vnd.ms-asf"),
            QStringLiteral("video/x-ms-wmv")};
}

void MprisRoot::Raise() {
    operations_.Raise();
}

void MprisRoot::Quit() {
    // After the reply has gone: quitting ends the program at once.
    QTimer::singleShot(0, this, [this] { operations_.Quit(); });
}
