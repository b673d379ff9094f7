#pragma once

#include "SaidaRelatorio.h"

// The schedule report (Command2): the employee's particulars and his schedule, one line per
// weekday row in the order the database returns them. To the printer when `imprimir` is set,
// otherwise to the list, which it clears first. A code that is no number or finds nobody
// outputs nothing at all, to the list or to the printer, and returns false.
bool GradeHorarios(const QString& codigoFuncionario, bool imprimir, const DestinoRelatorio& destino);
