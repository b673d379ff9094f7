#pragma once

#include <functional>

// The number of the next agreed-hours entry: the highest so far plus one, or 1 for an empty table.
int proximoCodigoHoraCombinada();

// Runs `inserir` with the next number. On a server, another PC may take the same number between
// the reading and the insert: an insert that fails while its number is now in the table is tried
// again with the next one, up to 100 times; any other failure goes to the caller.
void InserirComProximoCodigoHoraCombinada(const std::function<void(int codigo)>& inserir);
