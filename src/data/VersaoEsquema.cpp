#include "VersaoEsquema.h"

#include "DatabaseError.h"
#include "Esquema.h"
#include "EsquemaServidor.h"

#include <QStringList>
#include <iterator>

namespace {

using Passo = void (*)(Connection&);

// Step n brings a database from version n - 1 to n. Every step is safe to run on a file that
// has some of its objects already (files made before versions were kept have the counts). A new
// step goes at the end of both lists, one line each; a step never changes once released.
const Passo kPassosArquivo[] = {
    CriarContagens,
    CriarAuditoria,
    TornarArquivoPortavel,
    // The file's other programs see a change by the file's own data version.
    [](Connection&) {},
};
const Passo kPassosServidor[] = {
    CriarContagensNoServidor,
    CriarAuditoriaNoServidor,
    CriarRegistroNoServidor,
    AvisarMudancasNoServidor,
};
static_assert(std::size(kPassosArquivo) == std::size(kPassosServidor));

[[noreturn]] void RecusarVersaoNova(Connection& conexao, int versao) {
    throw DatabaseError(QStringLiteral("O banco de dados %1 está na versão %2 do esquema, mais nova que a "
                                       "versão %3 deste programa. Atualize o programa.")
                            .arg(conexao.realPath())
                            .arg(versao)
                            .arg(VersaoAtualEsquema()));
}

} // namespace

int VersaoAtualEsquema() {
    return static_cast<int>(std::size(kPassosArquivo));
}

int VersaoEsquema(Connection& conexao) {
    return conexao.SchemaVersion();
}

void ExecutarPassos(Connection& conexao, int versao) {
    const Passo* passos = conexao.OnServer() ? kPassosServidor : kPassosArquivo;
    for (int passo = versao; passo < VersaoAtualEsquema(); ++passo)
        passos[passo](conexao);
    conexao.SetSchemaVersion(VersaoAtualEsquema());
}

void AtualizarEsquema(Connection& conexao) {
    // The usual open finds the database current and takes no write lock. A server is shared by
    // programs of several versions: an older one must not write what it does not know.
    const int lida = VersaoEsquema(conexao);
    if (lida > VersaoAtualEsquema() && conexao.OnServer())
        RecusarVersaoNova(conexao, lida);
    if (lida >= VersaoAtualEsquema())
        return;
    conexao.BeginTrans();
    try {
        // Read again under the lock: another program may have upgraded it meanwhile.
        conexao.LockSchema();
        const int versao = VersaoEsquema(conexao);
        if (versao < VersaoAtualEsquema())
            ExecutarPassos(conexao, versao);
        conexao.CommitTrans();
    } catch (const DatabaseError& e) {
        conexao.RollbackTrans();
        throw DatabaseError(QStringLiteral("Não foi possível atualizar o banco de dados %1 para a versão %2 "
                                           "do programa: %3")
                                .arg(conexao.windowsPath())
                                .arg(VersaoAtualEsquema())
                                .arg(e.message()));
    }
}

void CriarContagens(Connection& conexao) {
    // The kind is kept in upper case because EntradaSaida compares without regard to case.
    conexao.ExecuteNative(QStringLiteral(R"SQL(
CREATE INDEX IF NOT EXISTS funcionarios_registro ON funcionarios(registro);
CREATE INDEX IF NOT EXISTS funcionarios_nome ON funcionarios(nome);
CREATE INDEX IF NOT EXISTS movimentacao_funcionario ON movimentacao(funcionario);
CREATE INDEX IF NOT EXISTS movimentacao_funcionario_tipo ON movimentacao(funcionario, EntradaSaida);
CREATE INDEX IF NOT EXISTS movimentacao_funcionario_data ON movimentacao(funcionario, data, hora);
CREATE INDEX IF NOT EXISTS horarios_registro ON horarios(registro, CODHORA);

CREATE TABLE IF NOT EXISTS contagem_movimentacao(
  funcionario INTEGER NOT NULL,
  EntradaSaida TEXT NOT NULL,
  quantidade INTEGER NOT NULL,
  PRIMARY KEY(funcionario, EntradaSaida)) WITHOUT ROWID;

CREATE TRIGGER IF NOT EXISTS contagem_insercao AFTER INSERT ON movimentacao
WHEN NEW.funcionario IS NOT NULL AND NEW.EntradaSaida IS NOT NULL
BEGIN
  INSERT OR IGNORE INTO contagem_movimentacao(funcionario, EntradaSaida, quantidade)
  VALUES (NEW.funcionario, upper(NEW.EntradaSaida), 0);
  UPDATE contagem_movimentacao SET quantidade = quantidade + 1
  WHERE funcionario = NEW.funcionario AND EntradaSaida = upper(NEW.EntradaSaida);
END;

CREATE TRIGGER IF NOT EXISTS contagem_exclusao AFTER DELETE ON movimentacao
WHEN OLD.funcionario IS NOT NULL AND OLD.EntradaSaida IS NOT NULL
BEGIN
  UPDATE contagem_movimentacao SET quantidade = quantidade - 1
  WHERE funcionario = OLD.funcionario AND EntradaSaida = upper(OLD.EntradaSaida);
END;

CREATE TRIGGER IF NOT EXISTS contagem_alteracao_antes AFTER UPDATE OF funcionario, EntradaSaida ON movimentacao
WHEN OLD.funcionario IS NOT NULL AND OLD.EntradaSaida IS NOT NULL
BEGIN
  UPDATE contagem_movimentacao SET quantidade = quantidade - 1
  WHERE funcionario = OLD.funcionario AND EntradaSaida = upper(OLD.EntradaSaida);
END;

CREATE TRIGGER IF NOT EXISTS contagem_alteracao_depois AFTER UPDATE OF funcionario, EntradaSaida ON movimentacao
WHEN NEW.funcionario IS NOT NULL AND NEW.EntradaSaida IS NOT NULL
BEGIN
  INSERT OR IGNORE INTO contagem_movimentacao(funcionario, EntradaSaida, quantidade)
  VALUES (NEW.funcionario, upper(NEW.EntradaSaida), 0);
  UPDATE contagem_movimentacao SET quantidade = quantidade + 1
  WHERE funcionario = NEW.funcionario AND EntradaSaida = upper(NEW.EntradaSaida);
END;

)SQL") + RecontagemDePontos());
}

QString RecontagemDePontos() {
    // Counts as the punches already there say, whatever the table held before.
    return QStringLiteral(R"SQL(
DELETE FROM contagem_movimentacao;
INSERT INTO contagem_movimentacao(funcionario, EntradaSaida, quantidade)
SELECT funcionario, upper(EntradaSaida), count(*) FROM movimentacao
WHERE funcionario IS NOT NULL AND EntradaSaida IS NOT NULL
GROUP BY funcionario, upper(EntradaSaida);
)SQL");
}
