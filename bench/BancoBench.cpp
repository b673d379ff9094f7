#include "BancoBench.h"

#include "Conexao.h"
#include "Esquema.h"
#include "VersaoEsquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>
#include <stdexcept>

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

// The socket folder of the server of the second pass, empty for none.
QByteArray Servidor() {
    return qgetenv("VELTO_TESTE_PG");
}

bool noServidor = false;

// A statement on the server's maintenance database, outside any transaction (CREATE DATABASE).
bool Administrar(const QString& sql) {
    const QByteArray conninfo = "host=" + Servidor() + " user=velto dbname=postgres";
    PGconn* c = PQconnectdb(conninfo.constData());
    PGresult* r = PQexec(c, sql.toUtf8().constData());
    const ExecStatusType estado = PQresultStatus(r);
    const bool linha = estado == PGRES_TUPLES_OK && PQntuples(r) > 0;
    const std::string erro = PQerrorMessage(c);
    PQclear(r);
    PQfinish(c);
    if (estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK)
        throw std::runtime_error("servidor de benchmark: " + erro);
    return linha;
}

void UsarBancoDoServidor(const QString& banco) {
    qputenv("VELTO_BANCO", "host=" + Servidor() + " user=velto dbname=" + banco.toUtf8());
}

// The employees and the punches, in each engine's own SQL: the same rows on both.
QString FuncionariosEPontos(bool servidor, const QString& desde) {
    const QString n = QString::number(FuncionariosBench());
    if (servidor)
        return QStringLiteral(R"SQL(
INSERT INTO funcionarios(nome, registro, CODHORA, VALORHORA)
SELECT 'FUNCIONARIO ' || lpad(i::text, 3, '0'), '789' || lpad(i::text, 10, '0'), '001', 15
FROM generate_series(1, )SQL") +
               n + QStringLiteral(R"SQL() i;
-- Counted once at the end: the trigger would update each count row thousands of times in one
-- transaction. The record of hand changes leaves these out, as the terminal's punches.
ALTER TABLE movimentacao DISABLE TRIGGER USER;
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo)
SELECT d.dia, p.hora::time, p.tipo, f.codigo, p.periodo
FROM (SELECT dia::date AS dia FROM generate_series(date '2016-01-04', date '2026-12-31', interval '1 day') dia
      WHERE extract(isodow FROM dia) < 6 ORDER BY dia LIMIT 2500) d,
     (VALUES (0, '08:00:00', 'E', 'M'), (1, '12:00:00', 'S', 'M'),
             (2, '13:00:00', 'E', 'T'), (3, '17:00:00', 'S', 'T')) p(j, hora, tipo, periodo),
     funcionarios f
WHERE d.dia >= date ')SQL") +
               desde + QStringLiteral(R"SQL(' ORDER BY d.dia, f.codigo, p.j;
ALTER TABLE movimentacao ENABLE TRIGGER USER;
)SQL") + RecontagemDePontos();
    // Concatenated, not QString::arg, which would take the printf formats for its own markers.
    return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") + n +
           QStringLiteral(R"SQL()
INSERT INTO funcionarios(nome, registro, CODHORA, VALORHORA)
SELECT 'FUNCIONARIO ' || printf('%03d', i), printf('789%010d', i), '001', 15 FROM n;
WITH RECURSIVE d(k, dia) AS (SELECT 0, date('2016-01-04') UNION ALL
  SELECT k + 1, date(dia, CASE strftime('%w', dia) WHEN '5' THEN '+3 days' ELSE '+1 day' END) FROM d WHERE k < 2499),
p(j, hora, tipo, periodo) AS (VALUES (0, '08:00:00', 'E', 'M'), (1, '12:00:00', 'S', 'M'),
                                     (2, '13:00:00', 'E', 'T'), (3, '17:00:00', 'S', 'T')),
f(i) AS (SELECT codigo FROM funcionarios)
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo)
SELECT d.dia, p.hora, p.tipo, f.i, p.periodo FROM d, f, p WHERE d.dia >= ')SQL") +
           desde + QStringLiteral("' ORDER BY d.dia, f.i, p.j;");
}

void Gerar() {
    QElapsedTimer relogio;
    relogio.start();
    auto c = CriarBanco(kStringConexao, QStringLiteral("bench"));
    const bool servidor = c->OnServer();
    if (!servidor)
        c->ExecuteNative(QStringLiteral("PRAGMA synchronous=OFF;"));
    c->BeginTrans();
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
    c->ExecuteNative(FuncionariosEPontos(servidor, BenchPequeno() ? QStringLiteral("2024-01-01")
                                                                  : QStringLiteral("2016-01-04")));
    c->CommitTrans();
    // The planner's statistics and the visibility map, as a server's autovacuum leaves them.
    if (servidor)
        c->ExecuteNative(QStringLiteral("VACUUM ANALYZE"));
    std::fprintf(stderr, "banco de benchmark gerado em %.1f s\n", relogio.elapsed() / 1000.0);
}

QString Sufixo() {
    return BenchPequeno() ? QStringLiteral("_pequeno") : QString();
}

// Each run works on a fresh copy of a database built once, so the punches it adds do not pile
// up in the model: on the server, a database made from the model as template; it stays until
// the server stops.
void PrepararBancoServidor() {
    const QString modelo = QStringLiteral("bench_modelo") + Sufixo();
    const QString trabalho = QStringLiteral("bench_trabalho") + Sufixo();
    conexaoBanco.reset();
    if (!Administrar(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = '%1'").arg(modelo))) {
        Administrar(QStringLiteral("CREATE DATABASE %1").arg(modelo));
        UsarBancoDoServidor(modelo);
        try {
            Gerar();
        } catch (...) {
            Administrar(QStringLiteral("DROP DATABASE %1").arg(modelo));
            throw;
        }
    }
    Administrar(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(trabalho));
    Administrar(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(trabalho, modelo));
    UsarBancoDoServidor(trabalho);
    AbrirConexao();
}

// Benchmark names as given, with the pass's backend after them.
class ReporterDoBanco : public benchmark::ConsoleReporter {
public:
    explicit ReporterDoBanco(std::string sufixo)
        : benchmark::ConsoleReporter(OO_Tabular)
        , sufixo_(std::move(sufixo)) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> nomeados = runs;
        for (Run& run : nomeados)
            run.run_name.function_name += sufixo_;
        benchmark::ConsoleReporter::ReportRuns(nomeados);
    }

private:
    std::string sufixo_;
};

} // namespace

void PrepararBancoBench(const QString& pasta) {
    qputenv("VELTO_BANCO", "arquivo");
    qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta + QStringLiteral("/trabalho")));
    const QString trabalho = Arquivo();
    qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta + QStringLiteral("/modelo")));
    const QString modelo = Arquivo();
    if (!QFile::exists(modelo))
        Gerar();
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

IdasEVoltas::IdasEVoltas(benchmark::State& state)
    : state_(state)
    , inicio_(conexaoBanco->RoundTrips()) {}

IdasEVoltas::~IdasEVoltas() {
    state_.counters["idas_voltas"] = benchmark::Counter(
        static_cast<double>(conexaoBanco->RoundTrips() - inicio_), benchmark::Counter::kAvgIterations);
}

void CommitDuravel(bool duravel) {
    if (conexaoBanco->OnServer())
        conexaoBanco->ExecuteNative(duravel ? QStringLiteral("SET synchronous_commit = on")
                                            : QStringLiteral("SET synchronous_commit = off"));
    else
        conexaoBanco->ExecuteNative(duravel ? QStringLiteral("PRAGMA synchronous=FULL;")
                                            : QStringLiteral("PRAGMA synchronous=OFF;"));
}

BancoVazio::BancoVazio()
    : raiz_(qgetenv("VELTO_DRIVE_ROOT"))
    , banco_(qgetenv("VELTO_BANCO")) {
    if (noServidor) {
        Administrar(QStringLiteral("DROP DATABASE IF EXISTS bench_vazio WITH (FORCE)"));
        Administrar(QStringLiteral("CREATE DATABASE bench_vazio"));
        UsarBancoDoServidor(QStringLiteral("bench_vazio"));
    } else {
        pasta_ = QDir::tempPath() + QStringLiteral("/velto-bench-vazio-") +
                 QString::number(QCoreApplication::applicationPid());
        QDir(pasta_).removeRecursively();
        qputenv("VELTO_DRIVE_ROOT", QFile::encodeName(pasta_));
    }
    CriarBanco(kStringConexao, QStringLiteral("x"));
}

BancoVazio::~BancoVazio() {
    qputenv("VELTO_DRIVE_ROOT", raiz_);
    qputenv("VELTO_BANCO", banco_);
    AbrirConexao();
    if (!pasta_.isEmpty())
        QDir(pasta_).removeRecursively();
}

int RodarBenchmarks(int& argc, char** argv, const std::function<void()>& preparar) {
    benchmark::Initialize(&argc, argv);
    PrepararBancoBench(QStringLiteral(VELTO_BENCH_DATA) +
                       (BenchPequeno() ? QStringLiteral("-pequeno") : QString()));
    if (preparar)
        preparar();
    {
        ReporterDoBanco arquivo("/arquivo");
        benchmark::RunSpecifiedBenchmarks(&arquivo);
    }
    if (!Servidor().isEmpty()) {
        noServidor = true;
        PrepararBancoServidor();
        if (preparar)
            preparar();
        ReporterDoBanco servidor("/servidor");
        benchmark::RunSpecifiedBenchmarks(&servidor);
    }
    benchmark::Shutdown();
    return 0;
}
