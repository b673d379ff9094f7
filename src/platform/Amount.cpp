#include "Amount.h"

#include <QStringList>

namespace {

bool allDigits(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The whole part with its thousands dots taken out: plain digits, or one to three digits and
// then groups of exactly three.
std::optional<QString> wholePart(QStringView s) {
    const QList<QStringView> groups = s.split(QLatin1Char('.'));
    if (!allDigits(groups.front()) || (groups.size() > 1 && groups.front().size() > 3))
        return std::nullopt;
    QString digits = groups.front().toString();
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups.at(i).size() != 3 || !allDigits(groups.at(i)))
            return std::nullopt;
        digits += groups.at(i);
    }
    return digits;
}

} // namespace

std::optional<QString> readAmount(const QString& text) {
    const QString t = text.trimmed();
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    QStringView whole(t), fraction;
    if (comma >= 0) {
        whole = QStringView(t).left(comma);
        fraction = QStringView(t).mid(comma + 1);
        if (!allDigits(fraction))
            return std::nullopt; // no digits after the comma, or a second comma
    } else {
        const qsizetype dot = t.lastIndexOf(QLatin1Char('.'));
        // One dot before one or two digits is a decimal point; before three, a thousands dot.
        if (dot >= 0 && t.indexOf(QLatin1Char('.')) == dot && t.size() - dot - 1 <= 2) {
            whole = QStringView(t).left(dot);
            fraction = QStringView(t).mid(dot + 1);
            if (!allDigits(whole) || !allDigits(fraction))
                return std::nullopt;
        }
    }
    const std::optional<QString> digits = wholePart(whole);
    if (!digits)
        return std::nullopt;
    return fraction.isEmpty() ? *digits : *digits + QLatin1Char('.') + fraction.toString();
}
