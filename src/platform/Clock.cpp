#include "Clock.h"

#include <QElapsedTimer>

namespace {
QDateTime& frozen() {
    static QDateTime instant;
    return instant;
}
} // namespace

QDateTime Clock::now() {
    return frozen().isValid() ? frozen() : QDateTime::currentDateTime();
}

void Clock::set(const QDateTime& instant) {
    frozen() = instant;
}

void Clock::advance(qint64 milliseconds) {
    if (frozen().isValid())
        frozen() = frozen().addMSecs(milliseconds);
}

double Clock::monotonicSeconds() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return frozen().isValid() ? frozen().toMSecsSinceEpoch() / 1000.0 : timer.nsecsElapsed() / 1e9;
}
