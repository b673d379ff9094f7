#include "MDautoNumeracao.h"

#include "Conexao.h"
#include "DatabaseError.h"

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

void InserirComProximoCodigoHoraCombinada(const std::function<void(int codigo)>& inserir) {
    for (int tentativa = 1;; ++tentativa) {
        const int codigo = proximoCodigoHoraCombinada();
        try {
            inserir(codigo);
            return;
        } catch (const DatabaseError&) {
            const bool tomado =
                !conexaoBanco
                     ->Execute(
                         QStringLiteral("Select codigo from HoraCombinada where codigo = %1").arg(codigo))
                     .Eof();
            if (!tomado || tentativa == 100)
                throw;
        }
    }
}
