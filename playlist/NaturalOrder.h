#pragma once

#include <QString>

// The order a person reads names in: runs of digits compare by their value ("2" before "10"),
// the rest without regard to case, and only a full tie falls back to the exact text.
class NaturalOrder {
  public:
    static int Compare(const QString& a, const QString& b);
    static bool Less(const QString& a, const QString& b) { return Compare(a, b) < 0; }
};
