#include "MDautoNumeracao.h"

#include "Conexao.h"

int proximoCodigoHoraCombinada() {
    Recordset rs = conexaoBanco->Execute(QStringLiteral("Select max(codigo) as maximo from HoraCombinada"));
    const Variant maximo = rs[QStringLiteral("maximo")];
    if (maximo.isNull())
        return 1;
    return static_cast<int>(maximo.toInteger() + 1);
}
