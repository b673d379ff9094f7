#include "BancoBench.h"

#include "Conexao.h"
#include "Esquema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

bool BenchPequeno() {
    return std::getenv("VELTO_BENCH_PEQUENO") != nullptr;
}

int FuncionariosBench() {
    return BenchPequeno() ? 60 : 200;
}

namespace {

QString Arquivo() {
    return mapWindowsPath(ConnectionString::parse(kStringConexao).dbq);
}

void Gerar() {
    QElapsedTimer relogio;
    relogio.start();
    auto c = CriarBanco(kStringConexao, QStringLiteral("bench"));
    c->ExecuteNative(QStringLiteral("PRAGMA synchronous=OFF;"));
    c->BeginTrans();
    // Concatenated, not QString::arg, which would take the printf formats for its own markers.
    c->ExecuteNative(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") +
        QString::number(FuncionariosBench()) + QStringLiteral(R"SQL()
INSERT INTO funcionarios(nome, registro, CODHORA, VALORHORA)
SELECT 'FUNCIONARIO ' || printf('%03d', i), printf('789%010d', i), '001', 15 FROM n;
)SQL"));
    const char* const dias[] = {"SEGUNDA-FEIRA", "TERCA-FEIRA", "QUARTA-FEIRA", "QUINTA-FEIRA",
                                "SEXTA-FEIRA"};
    for (int dia = 2; dia <= 6; ++dia) {
        c->ExecuteNative(
            QStringLiteral("INSERT INTO horarios(registro, DiaSemana, CODHORA, nome, tele, endereco, "
                           "cidade, totalhoras) VALUES('001', '%1', '%2', '08:00:00', '12:00:00', "
                           "'13:00:00', '17:00:00', '08:00:00');")
                .arg(QLatin1String(dias[dia - 2]))
                .arg(dia));
    }
    c->ExecuteNative(
        QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('NATAL', '25', '12', '');"
                       "INSERT INTO feriados(feriado, dia, mes, ano) VALUES('TIRADENTES', '21', '04', '');"));
    // 2500 working days from 2016-01-04 on (from 2024 on in the small one), four punches a day,
    // in the order the terminal writes them.
    c->ExecuteNative(QStringLiteral(R"SQL(
WITH RECURSIVE d(k, dia) AS (SELECT 0, date('2016-01-04') UNION ALL
  SELECT k + 1, date(dia, CASE strftime('%w', dia) WHEN '5' THEN '+3 days' ELSE '+1 day' END) FROM d WHERE k < 2499),
p(j, hora, tipo, periodo) AS (VALUES (0, '08:00:00', 'E', 'M'), (1, '12:00:00', 'S', 'M'),
                                     (2, '13:00:00', 'E', 'T'), (3, '17:00:00', 'S', 'T')),
f(i) AS (SELECT codigo FROM funcionarios)
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo)
SELECT d.dia, p.hora, p.tipo, f.i, p.periodo FROM d, f, p WHERE d.dia >= ')SQL") +
                     (BenchPequeno() ? QStringLiteral("2024-01-01") : QStringLiteral("2016-01-04")) +
                     QStringLiteral("' ORDER BY d.dia, f.i, p.j;"));
    c->CommitTrans();
    std::fprintf(stderr, "banco de benchmark gerado em %.1f s\n", relogio.elapsed() / 1000.0);
}

} // namespace

void PrepararBancoBench(const QString& pasta) {
    qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta + QStringLiteral("/trabalho")));
    const QString trabalho = Arquivo();
    qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta + QStringLiteral("/modelo")));
    const QString modelo = Arquivo();
    if (!QFile::exists(modelo))
        Gerar();
    // Each run works on a fresh copy, so the punches it adds do not pile up in the model.
    QDir().mkpath(QFileInfo(trabalho).absolutePath());
    for (const char* sufixo : {"", "-wal", "-shm"})
        QFile::remove(trabalho + QLatin1String(sufixo));
    {
        auto c = Connection::Open(kStringConexao); // folds the WAL back into the model
        c->ExecuteNative(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    QFile::copy(modelo, trabalho);
    qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta + QStringLiteral("/trabalho")));
    AbrirConexao();
}

int RodarBenchmarks(int& argc, char** argv, const std::function<void()>& preparar) {
    benchmark::Initialize(&argc, argv);
    PrepararBancoBench(QStringLiteral(VELTO_BENCH_DATA) +
                       (BenchPequeno() ? QStringLiteral("-pequeno") : QString()));
    if (preparar)
        preparar();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
