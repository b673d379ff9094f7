// The terminal as the employees use it: one whole swipe with the list rebuild, on ten years of
// punches with 40 employees at work; the start-up of the main window; the cost of the idle clock.

#include "BancoBench.h"
#include "Clock.h"
#include "Conexao.h"
#include "Esquema.h"
#include "MDIVelto.h"
#include "RegistrarPonto.h"
#include "frmVelto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QMdiArea>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int kTrabalhando = 40;

frmVelto* terminal = nullptr;

// Employees 1 to 40 have an open entry; the swipes go to the others, twice each (entry, then
// exit eleven minutes later), so between 40 and 41 are at work throughout.
void PrepararTrabalhando() {
    for (int f = 1; f <= kTrabalhando; ++f)
        conexaoBanco->Execute(
            QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                           "values('06/01/2030','08:00:00', 'E', %1, 'M' )")
                .arg(f));
}

qint64 passagens = 0;

bool Passar() {
    const int f = kTrabalhando + 1 + static_cast<int>((passagens / 2) % (FuncionariosBench() - kTrabalhando));
    const QDateTime quando = QDateTime(QDate(2030, 1, 7), QTime(6, 0)).addSecs(passagens * 11 * 60);
    ++passagens;
    return RegistrarPonto(QStringLiteral("789%1").arg(f, 10, 10, QLatin1Char('0')), quando.date(),
                          quando.time(), quando.date().toString(QStringLiteral("dd/MM/yyyy")),
                          quando.time().toString(QStringLiteral("hh:mm:ss")))
               .tipo == ResultadoPonto::Tipo::Registrado;
}

void BM_ListaTrabalhando(benchmark::State& state) {
    const IdasEVoltas contar(state);
    for (auto _ : state)
        terminal->VerFuncionariosTrabalhando();
    state.counters["na_lista"] = terminal->List1->count();
}

void BM_PassagemCompleta(benchmark::State& state) {
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        if (!Passar())
            state.SkipWithError("o ponto não foi registrado");
        terminal->VerFuncionariosTrabalhando();
    }
    state.counters["na_lista"] = terminal->List1->count();
}

// From nothing to the terminal shown inside the main window, on an empty database.
void BM_Inicio(benchmark::State& state) {
    const BancoVazio vazio;
    for (auto _ : state) {
        MDIVelto janela;
        janela.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(janela.area()->findChild<frmVelto*>());
    }
}

// Processor time of the open terminal over two seconds of its 50 ms clock, as a share of one core.
void BM_TerminalOcioso(benchmark::State& state) {
    for (auto _ : state) {
        rusage antes{}, depois{};
        getrusage(RUSAGE_SELF, &antes);
        QElapsedTimer relogio;
        relogio.start();
        QEventLoop laco;
        QTimer::singleShot(2000, &laco, &QEventLoop::quit);
        laco.exec();
        getrusage(RUSAGE_SELF, &depois);
        const auto us = [](const rusage& r) {
            return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e6 + r.ru_utime.tv_usec + r.ru_stime.tv_usec;
        };
        state.counters["cpu_pct"] = 100.0 * (us(depois) - us(antes)) / (relogio.elapsed() * 1000.0);
    }
}

} // namespace

BENCHMARK(BM_ListaTrabalhando)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);
BENCHMARK(BM_PassagemCompleta)->Unit(benchmark::kMicrosecond)->Apply(Repeticoes<>);
BENCHMARK(BM_Inicio)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);
BENCHMARK(BM_TerminalOcioso)->Unit(benchmark::kMillisecond)->Iterations(1)->Apply(Repeticoes<3>);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::unique_ptr<frmVelto> tela;
    return RodarBenchmarks(argc, argv, [&tela] {
        PrepararTrabalhando();
        tela = std::make_unique<frmVelto>();
        terminal = tela.get();
        tela->show();
    });
}
