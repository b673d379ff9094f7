#pragma once

#include <QString>
#include <functional>

// The benchmark database: 200 employees and ten years of four punches a working day each
// (2,000,000 punches), encrypted like the real one. Built once into `pasta` and reused.
// Points VELTO_DRIVE_ROOT at the folder and opens the shared connection on a fresh copy.
void PrepararBancoBench(const QString& pasta);

constexpr int kFuncionariosBench = 200;

// The body of every benchmark's main, once its application object exists: prepares the
// database, then `preparar` (what the benchmark needs on top of it), then runs.
int RodarBenchmarks(int& argc, char** argv, const std::function<void()>& preparar = {});
