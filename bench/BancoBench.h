#pragma once

#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <functional>

// The benchmark database: 200 employees and ten years of four punches a working day each
// (2,000,000 punches), encrypted like the real one. Built once into `pasta` and reused.
// Points VELTO_DRIVE_ROOT at the folder and opens the shared connection on a fresh copy.
void PrepararBancoBench(const QString& pasta);

// VELTO_BENCH_PEQUENO set: a quick run that only checks every benchmark still works, on a small
// database in a folder of its own (60 employees, the punches from 2024 on), each benchmark once.
bool BenchPequeno();
int FuncionariosBench();

// N repetitions reported as their median, mean and spread; a single one, as is, in the quick run
// (the aggregates would hide a repetition that failed).
template <int N = 5> void Repeticoes(benchmark::internal::Benchmark* b) {
    if (!BenchPequeno())
        b->Repetitions(N)->ReportAggregatesOnly(true);
}

// While it lives, the statements the shared connection sends to the engine; when it ends, their
// number per iteration goes beside the benchmark's time as "idas_voltas" (on a server, each is a
// round trip).
class IdasEVoltas {
public:
    explicit IdasEVoltas(benchmark::State& state);
    ~IdasEVoltas();
    IdasEVoltas(const IdasEVoltas&) = delete;
    IdasEVoltas& operator=(const IdasEVoltas&) = delete;

private:
    benchmark::State& state_;
    std::uint64_t inicio_;
};

// Whether the shared connection's commits wait until the change is on disk (the default).
void CommitDuravel(bool duravel);

// While it lives, the configuration leads to a new, empty database on the backend of the pass
// running (for a benchmark that starts from nothing); afterwards the shared connection is opened
// again on the benchmark's database.
class BancoVazio {
public:
    BancoVazio();
    ~BancoVazio();
    BancoVazio(const BancoVazio&) = delete;
    BancoVazio& operator=(const BancoVazio&) = delete;

private:
    QByteArray raiz_;
    QByteArray banco_;
    QString pasta_;
};

// The body of every benchmark's main, once its application object exists: runs every benchmark
// on the file (names ending in /arquivo) and then, when VELTO_TESTE_PG names the socket folder of
// a PostgreSQL server, on a database of that server (/servidor). Each pass prepares its database,
// then `preparar` (what the benchmark needs on top of it).
int RodarBenchmarks(int& argc, char** argv, const std::function<void()>& preparar = {});
