#include "MDautoNumeracao.h"

#include "Conexao.h"

#include <limits>
#include <stdexcept>

int proximoCodigoHoraCombinada() {
    Recordset rs = conexaoBanco->Execute(QStringLiteral("Select max(codigo) as maximo from HoraCombinada"));
    const Variant maximo = rs[QStringLiteral("maximo")];
    if (maximo.isNull())
        return 1;
    // The numbers are signed 32-bit: past the largest there is none left to give.
    if (maximo.toInteger() >= std::numeric_limits<qint32>::max())
        throw std::overflow_error("Não há mais números livres para horários combinados.");
    return static_cast<int>(maximo.toInteger() + 1);
}
