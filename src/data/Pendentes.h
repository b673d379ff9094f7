#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The scans a terminal could not register because the server was out of reach, kept on the PC
// in C:\PONTO\pendentes.csv (one "cartao,data,hora,computador" line each, after a header) for
// the office to post by hand. Nothing is ever posted from it by itself.
struct Pendente {
    QString cartao;
    QString data; // dd/MM/yyyy, as the terminal showed it
    QString hora; // hh:mm:ss
    QString computador;
};

QString ArquivoPendentes();
// Adds one scan; false when the file could not be written.
bool AnotarPendente(const QString& cartao, const QDateTime& instante);
// Every scan kept, oldest first; empty when there is no file.
QList<Pendente> LerPendentes();
