#pragma once

#include <QDateTime>

// The one source of the current date and time; tests set it.
class Clock {
public:
    static QDateTime now();
    // Freezes the clock at the given instant; an invalid instant lets it run with the system again.
    static void set(const QDateTime& instant);
    // Moves a frozen clock forward.
    static void advance(qint64 milliseconds);
    // Seconds on a monotonic clock that does not wrap at midnight.
    static double monotonicSeconds();
};
