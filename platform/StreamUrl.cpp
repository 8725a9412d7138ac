#include "platform/StreamUrl.h"

#include <QUrl>

bool StreamUrl::Is(const QString& text) {
    if (!text.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return false;  // most entries are paths: no URL parsing for them
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QString StreamUrl::Name(const QString& url) {
    const QUrl parsed(url);
    const QString segment = parsed.path().section(QLatin1Char('/'), -1);
    return segment.isEmpty() ? parsed.host() : segment;
}
