#include "app/MprisRoot.h"

#include <QTimer>

#include "app/Controller.h"
#include "platform/MediaTypes.h"

MprisRoot::MprisRoot(QObject* parent, Controller& operations)
    : QDBusAbstractAdaptor(parent), operations_(operations) {}

QStringList MprisRoot::SupportedMimeTypes() const {
    return MediaTypes::MimeTypes();
}

void MprisRoot::Raise() {
    operations_.Raise();
}

void MprisRoot::Quit() {
    // After the reply has gone: quitting ends the program at once.
    QTimer::singleShot(0, this, [this] { operations_.Quit(); });
}
