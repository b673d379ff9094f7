#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Keeps Clock on the database server's time while the program runs for months: the offset is
// measured again every 10 minutes (each connection measures it as it opens), never while a scan
// is under way, so a scan's round trips stay its own.
class RelogioDoServidor : public QObject {
    Q_OBJECT
public:
    // `ocupado` answers whether a scan is under way.
    explicit RelogioDoServidor(std::function<bool()> ocupado, QObject* parent = nullptr);

    // The measure the timer makes; a busy moment or an unreachable server keeps the last offset.
    void Acertar();

private:
    static constexpr int kEspera = 2000; // ms for the server's answer
    std::function<bool()> ocupado_;
    QTimer timer_;
};
