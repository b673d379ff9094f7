#include "EntradaRelatorio.h"

#include "HorasAritmetica.h"
#include "SaidaRelatorio.h"

std::optional<PeriodoRelatorio> ValidarEntrada(const EntradaRelatorio& entrada, const QString& dataInvalida) {
    const auto mensagem = [&entrada](const QString& texto) {
        if (entrada.mensagem)
            entrada.mensagem(texto);
    };
    PeriodoRelatorio periodo{LerDataRelatorio(entrada.dataInicial), LerDataRelatorio(entrada.dataFinal),
                             entrada.codigoFuncionario.trimmed()};
    if (!periodo.inicio.isValid() || !periodo.fim.isValid()) {
        mensagem(dataInvalida);
        return std::nullopt;
    }
    // The code goes bare into the statements: anything but a whole number is refused here.
    if (!EhNumeroInteiro(periodo.codigo)) {
        mensagem(QStringLiteral("FORNECA UM FUNCIONARIO!"));
        return std::nullopt;
    }
    return periodo;
}
