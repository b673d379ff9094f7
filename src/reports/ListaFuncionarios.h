#pragma once

#include "SaidaRelatorio.h"

// The employee list (Command5): every employee in name order, one line of eight fixed columns
// (118 characters) each, under a heading line. Only ever to the list, which it clears first.
void ListaFuncionarios(ListaRelatorio& lista);
