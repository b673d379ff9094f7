#pragma once

#include "EntradaRelatorio.h"
#include "SaidaRelatorio.h"

// The per-day balance (Command6): every calendar day of the period, with each entry of the
// employee beside the exit that closes it, the day's worked time, journey and balance, the
// agreed hours of the day in place of the schedule's, and the period's sums with the schedule
// code and its weekly hours. To the printer when `imprimir` is set, otherwise to the list, which
// it clears first. Returns false when a validation message stopped it; nothing is output then.
// Database errors and a seconds overflow are thrown.
bool SaldoPorDia(const EntradaRelatorio& entrada, const DestinoRelatorio& destino);
