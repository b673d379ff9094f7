#pragma once

#include "SaidaRelatorio.h"

#include <QString>
#include <functional>

// What the time card reads from the report screen when its button is pressed.
struct EntradaCartaoPonto {
    QString dataInicial;       // txtData, dd/mm/yyyy
    QString dataFinal;         // txtdata1
    QString codigoFuncionario; // TXTCODIGOFUNCIONARIO: funcionarios.codigo
    QString nomeFuncionario;   // TXTNOME, only printed
    bool imprimir = false;     // ckboxImprimir ticked
    // Shows a validation message (a message box with OK, titled "Velto", on the screen).
    std::function<void(const QString&)> mensagem;
};

// The time card (Command1): every entry/exit pair of the employee in the period beside what
// his schedule expects, with day and period sums. To the printer when `imprimir` is set,
// otherwise to the list, which it clears first. Returns false when a validation message
// stopped it; nothing is output then. Database errors and a seconds overflow are thrown.
bool CartaoPonto(const EntradaCartaoPonto& entrada, const DestinoRelatorio& destino);

// The two closing legend lines of the reports.
QString LegendaNegativo();
QString LegendaPositivo();
