#include "RelogioDoServidor.h"

#include "Conexao.h"
#include "DatabaseError.h"

RelogioDoServidor::RelogioDoServidor(std::function<bool()> ocupado, QObject* parent)
    : QObject(parent)
    , ocupado_(std::move(ocupado)) {
    timer_.setInterval(10 * 60 * 1000);
    connect(&timer_, &QTimer::timeout, this, &RelogioDoServidor::Acertar);
    timer_.start();
}

void RelogioDoServidor::Acertar() {
    // A timer may fire while a statement waits with the screen alive: the connection is not free.
    if (!conexaoBanco || conexaoBanco->InTransaction() || (ocupado_ && ocupado_()))
        return;
    try {
        // A server that stops answering holds the screen for moments only.
        const Connection::BusyWait espera(*conexaoBanco, kEspera);
        conexaoBanco->FollowServerClock();
    } catch (const DatabaseError&) {
    }
}
