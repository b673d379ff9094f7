#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A CUPS server of the test's own (CUPS_SERVER while it lives), three PDF queues writing files:
// "Velto" (the default) runs, "Parada" is stopped, "Recusa" accepts no jobs.
class ServidorCups {
public:
    ServidorCups();
    ~ServidorCups();

    bool iniciado() const { return iniciado_; }
    QString erro() const { return erro_; }
    // The file the queue's jobs are written to.
    QString saidaDaFila(const QString& fila) const;
    // Waits until a job written to the queue's file is complete; its content, empty after the wait.
    QByteArray esperarTrabalho(const QString& fila, int milissegundos = 20000) const;
    // The queue's jobs not yet completed, as lpstat lists them.
    QString trabalhosPendentes(const QString& fila) const;

private:
    QTemporaryDir pasta_;
    QProcess cupsd_;
    QByteArray servidorAnterior_;
    bool iniciado_ = false;
    QString erro_;
};
