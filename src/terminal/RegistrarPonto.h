#pragma once

#include "DatabaseError.h"

#include <QDate>
#include <QString>
#include <QTime>

// What one swipe of a card came to.
struct ResultadoPonto {
    enum class Tipo { CartaoNaoEncontrado, CedoDemais, Registrado, NaoRegistrado };
    Tipo tipo = Tipo::CartaoNaoEncontrado;
    QString decorrido;         // too soon: the time since the last punch, hh:mm:ss (signed)
    QString entradaSaida;      // registered: "E" or "S"
    QString linhaNome;         // registered: the name followed by what was registered
    QString numeroFuncionario; // the employee's number as text, once the card was found
};

// Turns one swipe into one row of movimentacao, on the shared connection.
ResultadoPonto RegistrarPonto(const QString& textoCartao, const QDate& dataAtual, const QTime& horaAtual,
                              const QString& dataMostrada, const QString& horaMostrada);

// The text of the message shown when a swipe comes too soon after the last one.
QString MensagemCedoDemais(const QString& decorrido);

// The text shown when a swipe could not be registered because of the database: what happened,
// in words an employee understands, and that he should swipe again.
QString MensagemPontoNaoRegistrado(const DatabaseError& erro);

// A signed number of seconds as hh:mm:ss, with a leading "-" when negative.
QString TextoDecorrido(int segundos);

// The employee's punches of one kind ("E" or "S") over his whole history; a null count or no
// row counts as 0.
qint64 ContarPontos(const QString& numero, const QString& tipo);

// The text with every space and every apostrophe removed.
QString SemEspacosEApostrofos(QString texto);
