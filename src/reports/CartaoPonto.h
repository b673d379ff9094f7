#pragma once

#include "SaidaRelatorio.h"

#include "EntradaRelatorio.h"

// The time card reads what the day reports read.
using EntradaCartaoPonto = EntradaRelatorio;

// The time card (Command1): every entry/exit pair of the employee in the period beside what
// his schedule expects, with day and period sums. To the printer when `imprimir` is set,
// otherwise to the list, which it clears first. Returns false when a validation message
// stopped it; nothing is output then. Database errors and a seconds overflow are thrown.
bool CartaoPonto(const EntradaCartaoPonto& entrada, const DestinoRelatorio& destino);

// The two closing legend lines of the reports.
QString LegendaNegativo();
QString LegendaPositivo();
