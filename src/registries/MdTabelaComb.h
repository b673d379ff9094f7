#pragma once

// Creates the table of agreed hours; an existing table (or any other failure) is ignored, so
// every load of the agreed-hours screen may call it.
void criarTabelaHoraCombinada();
