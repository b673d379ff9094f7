#pragma once

#include <QString>

// The agreement of one employee for one day. In: `funcionario` the employee's number as text,
// `data` the day as dd/mm/yyyy. Out, when an entry exists: `funcionario` holds its `combinado`
// ("1" work, "2" day off), `horas` and `obs` its hours and note, `data` is kept. With no entry
// all four are emptied; when the statement fails (no table yet) all four keep what came in.
void consultarHoraCombinada(QString& funcionario, QString& data, QString& horas, QString& obs);
