#include "Esquema.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// AUTOINCREMENT keeps the numbers strictly increasing and never reused after a deletion.
// Names sort and match without regard to case or accents (PtBrText.h); other texts only case.
const char* const kTabelas = R"SQL(
CREATE TABLE funcionarios(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  nome TEXT COLLATE PTBR,
  tele TEXT COLLATE NOCASE,
  endereco TEXT COLLATE NOCASE,
  cidade TEXT COLLATE NOCASE,
  estado TEXT COLLATE NOCASE,
  Aniversario TEXT COLLATE NOCASE,
  registro TEXT COLLATE NOCASE,
  DataAdmissao TEXT COLLATE NOCASE,
  CODHORA TEXT COLLATE NOCASE,
  VALORHORA NUMERIC);
CREATE INDEX funcionarios_registro ON funcionarios(registro);
CREATE INDEX funcionarios_nome ON funcionarios(nome);

CREATE TABLE movimentacao(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  data DATE,
  hora TIME,
  EntradaSaida TEXT COLLATE NOCASE,
  funcionario INTEGER,
  periodo TEXT COLLATE NOCASE);
-- By employee alone, the index is ordered by codigo too: his highest codigo is one seek.
CREATE INDEX movimentacao_funcionario ON movimentacao(funcionario);
CREATE INDEX movimentacao_funcionario_tipo ON movimentacao(funcionario, EntradaSaida);
CREATE INDEX movimentacao_funcionario_data ON movimentacao(funcionario, data, hora);

CREATE TABLE horarios(
  registro TEXT COLLATE NOCASE,
  DiaSemana TEXT COLLATE NOCASE,
  CODHORA TEXT COLLATE NOCASE,
  DESCRICAO TEXT COLLATE NOCASE,
  nome TEXT COLLATE NOCASE,
  tele TEXT COLLATE NOCASE,
  endereco TEXT COLLATE NOCASE,
  cidade TEXT COLLATE NOCASE,
  totalhoras TEXT COLLATE NOCASE);
CREATE INDEX horarios_registro ON horarios(registro, CODHORA);

CREATE TABLE feriados(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  feriado TEXT COLLATE NOCASE,
  dia TEXT COLLATE NOCASE,
  mes TEXT COLLATE NOCASE,
  ano TEXT COLLATE NOCASE);

CREATE TABLE permissao(
  codigo INTEGER PRIMARY KEY,
  senha TEXT COLLATE NOCASE);
)SQL";

// The count of each employee's punches by kind, kept by the engine itself. The kind is kept in
// upper case because EntradaSaida compares without regard to case.
const char* const kContagens = R"SQL(
CREATE TABLE contagem_movimentacao(
  funcionario INTEGER NOT NULL,
  EntradaSaida TEXT NOT NULL,
  quantidade INTEGER NOT NULL,
  PRIMARY KEY(funcionario, EntradaSaida)) WITHOUT ROWID;

CREATE TRIGGER contagem_insercao AFTER INSERT ON movimentacao
WHEN NEW.funcionario IS NOT NULL AND NEW.EntradaSaida IS NOT NULL
BEGIN
  INSERT OR IGNORE INTO contagem_movimentacao(funcionario, EntradaSaida, quantidade)
  VALUES (NEW.funcionario, upper(NEW.EntradaSaida), 0);
  UPDATE contagem_movimentacao SET quantidade = quantidade + 1
  WHERE funcionario = NEW.funcionario AND EntradaSaida = upper(NEW.EntradaSaida);
END;

CREATE TRIGGER contagem_exclusao AFTER DELETE ON movimentacao
WHEN OLD.funcionario IS NOT NULL AND OLD.EntradaSaida IS NOT NULL
BEGIN
  UPDATE contagem_movimentacao SET quantidade = quantidade - 1
  WHERE funcionario = OLD.funcionario AND EntradaSaida = upper(OLD.EntradaSaida);
END;

CREATE TRIGGER contagem_alteracao_antes AFTER UPDATE OF funcionario, EntradaSaida ON movimentacao
WHEN OLD.funcionario IS NOT NULL AND OLD.EntradaSaida IS NOT NULL
BEGIN
  UPDATE contagem_movimentacao SET quantidade = quantidade - 1
  WHERE funcionario = OLD.funcionario AND EntradaSaida = upper(OLD.EntradaSaida);
END;

CREATE TRIGGER contagem_alteracao_depois AFTER UPDATE OF funcionario, EntradaSaida ON movimentacao
WHEN NEW.funcionario IS NOT NULL AND NEW.EntradaSaida IS NOT NULL
BEGIN
  INSERT OR IGNORE INTO contagem_movimentacao(funcionario, EntradaSaida, quantidade)
  VALUES (NEW.funcionario, upper(NEW.EntradaSaida), 0);
  UPDATE contagem_movimentacao SET quantidade = quantidade + 1
  WHERE funcionario = NEW.funcionario AND EntradaSaida = upper(NEW.EntradaSaida);
END;
)SQL";

} // namespace

std::unique_ptr<Connection> CriarBanco(const QString& stringConexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher) {
    std::unique_ptr<Connection> conexao = Connection::Create(stringConexao);
    try {
        CriarEsquema(*conexao, senhaManutencao);
        InstalarContagens(*conexao);
        if (preencher) {
            conexao->BeginTrans();
            preencher(*conexao);
            conexao->CommitTrans();
        }
    } catch (...) {
        const QString arquivo = conexao->realPath();
        conexao.reset();
        for (const char* sufixo : {"", "-wal", "-shm"})
            QFile::remove(arquivo + QLatin1String(sufixo));
        throw;
    }
    return conexao;
}

void CriarEsquema(Connection& conexao, const QString& senhaManutencao) {
    QString senha = senhaManutencao;
    senha.replace(QLatin1Char('\''), QStringLiteral("''"));
    conexao.BeginTrans();
    try {
        conexao.ExecuteNative(QString::fromUtf8(kTabelas));
        conexao.ExecuteNative(QString::fromUtf8(kContagens));
        conexao.ExecuteNative(
            QStringLiteral("INSERT INTO permissao(codigo, senha) VALUES (1, '%1');").arg(senha));
        conexao.CommitTrans();
    } catch (...) {
        conexao.RollbackTrans();
        throw;
    }
}

std::optional<Connection::Rewrite> RespostaContagem(const QString& sql) {
    // Exactly the terminal's statements, as it sends them.
    static const QRegularExpression contagem(QStringLiteral(
        "^Select count\\(EntradaSaida\\) as s from movimentacao where  funcionario  = (-?\\d{1,18}) and "
        "EntradaSaida = '([ES])' $"));
    const auto m = contagem.match(sql);
    if (!m.hasMatch())
        return std::nullopt;
    return Connection::Rewrite{
        QStringLiteral("SELECT coalesce((SELECT quantidade FROM contagem_movimentacao WHERE funcionario = ?1 "
                       "AND EntradaSaida = ?2), 0) AS s"),
        {m.captured(1).toLongLong(), m.captured(2)}};
}

void InstalarContagens(Connection& conexao) {
    conexao.setRewriter(&RespostaContagem);
}
