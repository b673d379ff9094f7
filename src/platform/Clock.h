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
    // How far the database server's clock is ahead of this PC's: every PC on one server then
    // shows and writes the server's time. A frozen clock ignores it.
    static void setOffset(qint64 milliseconds);
    static qint64 offset();
    // Milliseconds since the epoch as now() gives them when not frozen.
    static qint64 runningMSecsSinceEpoch();
};
