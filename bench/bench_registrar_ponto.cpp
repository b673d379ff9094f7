// The cost of one swipe at the terminal against ten years of punches.

#include "BancoBench.h"
#include "Conexao.h"
#include "RegistrarPonto.h"

#include <QCoreApplication>
#include <QDateTime>
#include <benchmark/benchmark.h>

namespace {

QString Cartao(int i) {
    return QStringLiteral("789%1").arg(i, 10, 10, QLatin1Char('0'));
}

// Each swipe is of the next employee, eleven minutes after his previous swipe; one clock for
// every benchmark of the run, so no swipe comes too soon after another benchmark's.
struct Relogio {
    QDateTime inicio = QDateTime(QDate(2030, 1, 7), QTime(6, 0));
    qint64 n = 0;
    std::pair<int, QDateTime> proximo() {
        const int f = static_cast<int>(n % FuncionariosBench()) + 1;
        const QDateTime quando = inicio.addSecs((n / FuncionariosBench()) * 11 * 60);
        ++n;
        return {f, quando};
    }
} relogio;

ResultadoPonto Passar(int f, const QDateTime& quando) {
    return RegistrarPonto(Cartao(f), quando.date(), quando.time(),
                          quando.date().toString(QStringLiteral("dd/MM/yyyy")),
                          quando.time().toString(QStringLiteral("hh:mm:ss")));
}

void BM_RegistrarPonto(benchmark::State& state) {
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        auto [f, quando] = relogio.proximo();
        if (Passar(f, quando).tipo != ResultadoPonto::Tipo::Registrado)
            state.SkipWithError("o ponto não foi registrado");
    }
}

// Everything but the durable commit: the same swipe with the connection's commits not waiting
// for the disk, so its writes reach the database but no fsync is timed.
void BM_RegistrarPontoSemCommit(benchmark::State& state) {
    CommitDuravel(false);
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        auto [f, quando] = relogio.proximo();
        if (Passar(f, quando).tipo != ResultadoPonto::Tipo::Registrado)
            state.SkipWithError("o ponto não foi registrado");
    }
    CommitDuravel(true);
}

void BM_InsertDuravel(benchmark::State& state) {
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        auto [f, quando] = relogio.proximo();
        conexaoBanco->Execute(
            "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('" +
            quando.date().toString(QStringLiteral("dd/MM/yyyy")) + "','" +
            quando.time().toString(QStringLiteral("hh:mm:ss")) + "', 'E', " + QString::number(f) + ", 'M' )");
    }
}

void BM_Contagem(benchmark::State& state) {
    conexaoBanco->setRewritesEnabled(state.range(0) == 1);
    int f = 0;
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        f = f % FuncionariosBench() + 1;
        benchmark::DoNotOptimize(conexaoBanco->Execute(
            "Select count(EntradaSaida) as s from movimentacao where  funcionario  = " + QString::number(f) +
            " and EntradaSaida = 'E' "));
    }
    conexaoBanco->setRewritesEnabled(true);
    state.SetLabel(state.range(0) == 1 ? "contagens mantidas" : "contagem literal");
}

} // namespace

BENCHMARK(BM_RegistrarPontoSemCommit)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);
BENCHMARK(BM_InsertDuravel)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);
BENCHMARK(BM_RegistrarPonto)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);
BENCHMARK(BM_Contagem)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RodarBenchmarks(argc, argv);
}
