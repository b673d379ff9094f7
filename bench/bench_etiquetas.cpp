// The label sheet of every employee (200) into one PDF file, as velto-relatorio etiquetas
// prints it for a whole new team.

#include "BancoBench.h"
#include "Etiquetas.h"
#include "QtPrinter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_FolhaEtiquetasPdf(benchmark::State& state) {
    QTemporaryDir pasta;
    int etiquetas = 0;
    const IdasEVoltas contar(state);
    for (auto _ : state) {
        QtPrinter impressora(pasta.filePath(QStringLiteral("etiquetas.pdf")));
        CamposTexto campos;
        etiquetas = A4_4ColunasEtiquetaCodBarW(campos, impressora);
        if (!impressora.closeFile())
            state.SkipWithError("o PDF não foi gravado");
    }
    state.counters["etiquetas"] = etiquetas;
}

} // namespace

BENCHMARK(BM_FolhaEtiquetasPdf)->Unit(benchmark::kMillisecond)->Apply(Repeticoes<>);

int main(int argc, char** argv) {
    // Fonts for the PDF, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RodarBenchmarks(argc, argv);
}
