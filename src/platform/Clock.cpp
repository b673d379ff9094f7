#include "Clock.h"

#include <QElapsedTimer>

namespace {
QDateTime& frozen() {
    static QDateTime instant;
    return instant;
}

qint64& offsetMs() {
    static qint64 milliseconds = 0;
    return milliseconds;
}
} // namespace

QDateTime Clock::now() {
    return frozen().isValid() ? frozen() : QDateTime::fromMSecsSinceEpoch(runningMSecsSinceEpoch());
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

void Clock::setOffset(qint64 milliseconds) {
    offsetMs() = milliseconds;
}

qint64 Clock::offset() {
    return offsetMs();
}

qint64 Clock::runningMSecsSinceEpoch() {
    return QDateTime::currentMSecsSinceEpoch() + offsetMs();
}
