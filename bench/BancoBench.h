#pragma once

#include <QString>
#include <benchmark/benchmark.h>
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

// The body of every benchmark's main, once its application object exists: prepares the
// database, then `preparar` (what the benchmark needs on top of it), then runs.
int RodarBenchmarks(int& argc, char** argv, const std::function<void()>& preparar = {});
