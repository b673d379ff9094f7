// The time card of one employee on ten years of punches, for one month and for one year.

#include "BancoBench.h"
#include "CartaoPonto.h"
#include "RecordingPrinter.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void Cartao(benchmark::State& state, const char* inicio, const char* fim, bool imprimir) {
    ListaTexto lista;
    RecordingPrinter impressora;
    EntradaCartaoPonto entrada{QString::fromLatin1(inicio),
                               QString::fromLatin1(fim),
                               QStringLiteral("57"),
                               QStringLiteral("FUNCIONARIO 057"),
                               imprimir,
                               [](const QString&) {
                               }};
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        impressora.clear();
        if (!CartaoPonto(entrada, DestinoRelatorio{&lista, &impressora}))
            state.SkipWithError("o cartão não foi emitido");
    }
    state.counters["linhas"] = imprimir ? impressora.lines().size() : lista.itens().size();
}

void BM_CartaoMes(benchmark::State& state) {
    Cartao(state, "01/03/2024", "31/03/2024", false);
}

void BM_CartaoAno(benchmark::State& state) {
    Cartao(state, "01/01/2024", "31/12/2024", false);
}

void BM_CartaoAnoImpresso(benchmark::State& state) {
    Cartao(state, "01/01/2024", "31/12/2024", true);
}

} // namespace

BENCHMARK(BM_CartaoMes)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_CartaoAno)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_CartaoAnoImpresso)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RodarBenchmarks(argc, argv);
}
