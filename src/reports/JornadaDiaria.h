#pragma once

#include "EntradaRelatorio.h"
#include "SaidaRelatorio.h"

// The daily journey (Command3): one line per working day of the employee in the period, with up
// to two entry/exit pairs, the hours his schedule expects of that weekday, the hours worked and
// the difference, then the period totals. The list is cleared in both modes; the lines go to
// the printer when `imprimir` is set, otherwise to the list. Returns false when a validation
// message stopped it; nothing is output then. Database errors and a seconds overflow are thrown.
bool JornadaDiaria(const EntradaRelatorio& entrada, const DestinoRelatorio& destino);
