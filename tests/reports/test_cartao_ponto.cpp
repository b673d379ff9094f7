#include "DadosRelatorio.h"
