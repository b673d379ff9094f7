#include "DiscoCheio.h"

#include <atomic>
#include <sqlite3.h>

namespace {

std::atomic<bool> cheio{false};
sqlite3_vfs* original = nullptr;
sqlite3_vfs camada;

// Each kind of file the original layer opens keeps its methods, but for a write that fails
// while the disk is "full".
struct Metodos {
    const sqlite3_io_methods* original = nullptr;
    sqlite3_io_methods trocados{};
};
Metodos tabelas[8];

int Escrever(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    for (const Metodos& t : tabelas) {
        if (&t.trocados == f->pMethods)
            return cheio ? SQLITE_FULL : t.original->xWrite(f, b, n, o);
    }
    return SQLITE_IOERR_WRITE;
}

int Abrir(sqlite3_vfs*, const char* nome, sqlite3_file* f, int flags, int* saida) {
    const int rc = original->xOpen(original, nome, f, flags, saida);
    for (Metodos& t : tabelas) {
        if (f->pMethods && (!t.original || t.original == f->pMethods)) {
            if (!t.original) {
                t.original = f->pMethods;
                t.trocados = *f->pMethods;
                t.trocados.xWrite = Escrever;
            }
            f->pMethods = &t.trocados;
            break;
        }
    }
    return rc;
}

// Installed before main, ahead of any file a test opens.
const bool kInstalada = [] {
    original = sqlite3_vfs_find(nullptr);
    camada = *original;
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
