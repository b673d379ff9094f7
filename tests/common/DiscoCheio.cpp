#include "DiscoCheio.h"

#include <atomic>
#include <sqlite3.h>

namespace {

std::atomic<bool> cheio{false};
sqlite3_vfs* original = nullptr;
sqlite3_vfs camada;

// The engine's file, followed in memory by the original layer's file it wraps.
struct Arquivo {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* f) {
    return reinterpret_cast<Arquivo*>(f)->real;
}
const sqlite3_io_methods& M(sqlite3_file* f) {
    return *Real(f)->pMethods;
}

int Fechar(sqlite3_file* f) {
    return M(f).xClose(Real(f));
}
int Ler(sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
    return M(f).xRead(Real(f), b, n, o);
}
int Escrever(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    return cheio ? SQLITE_FULL : M(f).xWrite(Real(f), b, n, o);
}
int Truncar(sqlite3_file* f, sqlite3_int64 t) {
    return M(f).xTruncate(Real(f), t);
}
int Sincronizar(sqlite3_file* f, int flags) {
    return M(f).xSync(Real(f), flags);
}
int Tamanho(sqlite3_file* f, sqlite3_int64* t) {
    return M(f).xFileSize(Real(f), t);
}
int Travar(sqlite3_file* f, int n) {
    return M(f).xLock(Real(f), n);
}
int Destravar(sqlite3_file* f, int n) {
    return M(f).xUnlock(Real(f), n);
}
int Reservado(sqlite3_file* f, int* r) {
    return M(f).xCheckReservedLock(Real(f), r);
}
int Controle(sqlite3_file* f, int op, void* arg) {
    return M(f).xFileControl(Real(f), op, arg);
}
int Setor(sqlite3_file* f) {
    return M(f).xSectorSize(Real(f));
}
int Caracteristicas(sqlite3_file* f) {
    return M(f).xDeviceCharacteristics(Real(f));
}
int ShmMap(sqlite3_file* f, int p, int t, int e, void volatile** pp) {
    return M(f).xShmMap(Real(f), p, t, e, pp);
}
int ShmLock(sqlite3_file* f, int o, int n, int flags) {
    return M(f).xShmLock(Real(f), o, n, flags);
}
void ShmBarrier(sqlite3_file* f) {
    M(f).xShmBarrier(Real(f));
}
int ShmUnmap(sqlite3_file* f, int apagar) {
    return M(f).xShmUnmap(Real(f), apagar);
}
int Fetch(sqlite3_file* f, sqlite3_int64 o, int n, void** pp) {
    return M(f).xFetch(Real(f), o, n, pp);
}
int Unfetch(sqlite3_file* f, sqlite3_int64 o, void* p) {
    return M(f).xUnfetch(Real(f), o, p);
}

const sqlite3_io_methods kMetodos = {
    3,       Fechar,     Ler,       Escrever, Truncar, Sincronizar,     Tamanho,
    Travar,  Destravar,  Reservado, Controle, Setor,   Caracteristicas, ShmMap,
    ShmLock, ShmBarrier, ShmUnmap,  Fetch,    Unfetch};

int Abrir(sqlite3_vfs*, const char* nome, sqlite3_file* f, int flags, int* saida) {
    auto* arquivo = reinterpret_cast<Arquivo*>(f);
    arquivo->real = reinterpret_cast<sqlite3_file*>(arquivo + 1);
    const int rc = original->xOpen(original, nome, arquivo->real, flags, saida);
    arquivo->base.pMethods = arquivo->real->pMethods ? &kMetodos : nullptr;
    return rc;
}

// Installed before main, ahead of any file a test opens.
const bool kInstalada = [] {
    original = sqlite3_vfs_find(nullptr);
    camada = *original;
    camada.szOsFile = static_cast<int>(sizeof(Arquivo)) + original->szOsFile;
    camada.zName = "velto-disco-cheio";
    camada.pNext = nullptr;
    camada.xOpen = Abrir;
    return sqlite3_vfs_register(&camada, 1) == SQLITE_OK;
}();

} // namespace

DiscoCheio::DiscoCheio() {
    cheio = kInstalada;
}

DiscoCheio::~DiscoCheio() {
    cheio = false;
}
