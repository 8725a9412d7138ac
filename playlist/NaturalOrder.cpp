#include "playlist/NaturalOrder.h"

namespace {

// The end of the run of digits or of non-digits that starts at i.
qsizetype runEnd(const QString& s, qsizetype i) {
    const bool digits = s.at(i).isDigit();
    while (i < s.size() && s.at(i).isDigit() == digits) ++i;
    return i;
}

// Digit runs by value: leading zeros aside, the longer run is the larger number.
int compareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == QLatin1Char('0')) a = a.mid(1);
    while (b.size() > 1 && b.front() == QLatin1Char('0')) b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

int NaturalOrder::Compare(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const qsizetype endA = runEnd(a, i), endB = runEnd(b, j);
        const QStringView runA = QStringView(a).mid(i, endA - i);
        const QStringView runB = QStringView(b).mid(j, endB - j);
        const bool numbers = runA.front().isDigit() && runB.front().isDigit();
        const int order =
            numbers ? compareNumbers(runA, runB) : runA.compare(runB, Qt::CaseInsensitive);
        if (order != 0)
            return order < 0 ? -1 : 1;
        i = endA;
        j = endB;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;  // the shorter one comes first
    const int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}
