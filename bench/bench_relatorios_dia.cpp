// The daily journey and the per-day balance of one employee on ten years of punches, for one
// month and for one year; and the per-day balance over growing periods, which sends its queries
// day by day.

#include "BancoBench.h"
#include "JornadaDiaria.h"
#include "MdTabelaComb.h"
#include "SaldoPorDia.h"

#include <QCoreApplication>
#include <QDate>
#include <benchmark/benchmark.h>

namespace {

using Relatorio = bool (*)(const EntradaRelatorio&, const DestinoRelatorio&);

void Rodar(benchmark::State& state, Relatorio relatorio, const QDate& inicio, const QDate& fim) {
    ListaTexto lista;
    const EntradaRelatorio entrada{inicio.toString(QStringLiteral("dd/MM/yyyy")),
                                   fim.toString(QStringLiteral("dd/MM/yyyy")),
                                   QStringLiteral("57"),
                                   QStringLiteral("FUNCIONARIO 057"),
                                   false,
                                   [](const QString&) {
                                   }};
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        if (!relatorio(entrada, DestinoRelatorio{&lista, nullptr}))
            state.SkipWithError("o relatório não foi emitido");
    }
    state.counters["linhas"] = lista.itens().size();
}

void BM_JornadaMes(benchmark::State& state) {
    Rodar(state, JornadaDiaria, QDate(2024, 3, 1), QDate(2024, 3, 31));
}

void BM_JornadaAno(benchmark::State& state) {
    Rodar(state, JornadaDiaria, QDate(2024, 1, 1), QDate(2024, 12, 31));
}

void BM_SaldoMes(benchmark::State& state) {
    Rodar(state, SaldoPorDia, QDate(2024, 3, 1), QDate(2024, 3, 31));
}

void BM_SaldoAno(benchmark::State& state) {
    Rodar(state, SaldoPorDia, QDate(2024, 1, 1), QDate(2024, 12, 31));
}

// The per-day balance over state.range(0) calendar days from 1 January 2024.
void BM_SaldoPorDias(benchmark::State& state) {
    const QDate inicio(2024, 1, 1);
    Rodar(state, SaldoPorDia, inicio, inicio.addDays(state.range(0) - 1));
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_JornadaMes)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_JornadaAno)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_SaldoMes)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_SaldoAno)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_SaldoPorDias)
    ->Unit(benchmark::kMillisecond)
    ->Arg(7)
    ->Arg(31)
    ->Arg(91)
    ->Arg(182)
    ->Arg(366)
    ->Arg(731)
    ->Complexity(benchmark::oN);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The agreed-hours table exists on every database whose agreed-hours screen was ever opened.
    return RodarBenchmarks(argc, argv, criarTabelaHoraCombinada);
}
