#pragma once

#include "Connection.h"

#include <QDate>

// A small, realistic sample: a dozen employees, a day and a night schedule, some holidays and
// the punches of the thirty days before `hoje`.
void PreencherExemplo(Connection& conexao, const QDate& hoje);
