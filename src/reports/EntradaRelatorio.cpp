#include "EntradaRelatorio.h"

#include "Conexao.h"

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

bool RodarRelatorioDoPeriodo(const EntradaRelatorio& entrada, const DestinoRelatorio& destino,
                             const std::function<void(SaidaRelatorio&, const PeriodoRelatorio&)>& corpo) {
    const auto periodo = ValidarEntrada(entrada, QStringLiteral("Data Invalida!"));
    if (!periodo)
        return false;
    SaidaRelatorio saida(destino, entrada.imprimir);
    try {
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        corpo(saida, *periodo);
    } catch (...) {
        saida.abortar();
        throw;
    }
    return true;
}
