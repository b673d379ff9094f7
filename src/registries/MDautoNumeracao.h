#pragma once

// The number of the next agreed-hours entry: the highest so far plus one, or 1 for an empty table.
int proximoCodigoHoraCombinada();
