#pragma once

#include <QString>

// An http or https address: an entry that libmpv fetches and plays as it arrives, with no
// file behind it to check, scan or read a length from.
class StreamUrl {
  public:
    // True for an absolute http or https URL with a host.
    static bool Is(const QString& text);
    // The name a list shows: the last segment of the URL's path, or its host when the path
    // has none.
    static QString Name(const QString& url);
};
