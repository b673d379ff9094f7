#include "Esquema.h"

#include "VersaoEsquema.h"

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

// One row per punch posted, changed or deleted by hand: when (the program's clock, local time),
// what, which punch of which employee, the values before and after, and the screen it came from.
const char* const kAuditoria = R"SQL(
CREATE TABLE IF NOT EXISTS auditoria_movimentacao(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  data DATE,
  hora TIME,
  operacao TEXT COLLATE NOCASE,
  lancamento INTEGER,
  funcionario INTEGER,
  nome TEXT COLLATE NOCASE,
  data_anterior DATE,
  hora_anterior TIME,
  tipo_anterior TEXT COLLATE NOCASE,
  periodo_anterior TEXT COLLATE NOCASE,
  data_nova DATE,
  hora_nova TIME,
  tipo_novo TEXT COLLATE NOCASE,
  periodo_novo TEXT COLLATE NOCASE,
  origem TEXT COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS auditoria_movimentacao_data ON auditoria_movimentacao(data, funcionario);

CREATE TRIGGER IF NOT EXISTS auditoria_insercao AFTER INSERT ON movimentacao
WHEN change_origin() IS NOT NULL
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_nova, hora_nova, tipo_novo, periodo_novo, origem)
  VALUES (change_date(), change_time(), 'LANCADO', NEW.codigo, NEW.funcionario,
    (SELECT nome FROM funcionarios WHERE codigo = NEW.funcionario),
    NEW.data, NEW.hora, NEW.EntradaSaida, NEW.periodo, change_origin());
END;

CREATE TRIGGER IF NOT EXISTS auditoria_alteracao AFTER UPDATE ON movimentacao
WHEN change_origin() IS NOT NULL AND (OLD.data IS NOT NEW.data OR OLD.hora IS NOT NEW.hora
  OR OLD.EntradaSaida IS NOT NEW.EntradaSaida OR OLD.periodo IS NOT NEW.periodo
  OR OLD.funcionario IS NOT NEW.funcionario)
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_anterior, hora_anterior, tipo_anterior, periodo_anterior,
    data_nova, hora_nova, tipo_novo, periodo_novo, origem)
  VALUES (change_date(), change_time(), 'ALTERADO', NEW.codigo, NEW.funcionario,
    (SELECT nome FROM funcionarios WHERE codigo = NEW.funcionario),
    OLD.data, OLD.hora, OLD.EntradaSaida, OLD.periodo,
    NEW.data, NEW.hora, NEW.EntradaSaida, NEW.periodo, change_origin());
END;

CREATE TRIGGER IF NOT EXISTS auditoria_exclusao AFTER DELETE ON movimentacao
WHEN change_origin() IS NOT NULL
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_anterior, hora_anterior, tipo_anterior, periodo_anterior, origem)
  VALUES (change_date(), change_time(), 'EXCLUIDO', OLD.codigo, OLD.funcionario,
    (SELECT nome FROM funcionarios WHERE codigo = OLD.funcionario),
    OLD.data, OLD.hora, OLD.EntradaSaida, OLD.periodo, change_origin());
END;

CREATE TRIGGER IF NOT EXISTS auditoria_sem_alteracao BEFORE UPDATE ON auditoria_movimentacao
BEGIN
  SELECT RAISE(ABORT, 'O registro de alterações de pontos não pode ser modificado.');
END;

CREATE TRIGGER IF NOT EXISTS auditoria_sem_exclusao BEFORE DELETE ON auditoria_movimentacao
BEGIN
  SELECT RAISE(ABORT, 'O registro de alterações de pontos não pode ser apagado.');
END;
)SQL";

// The objects of kAuditoria, by name: when all are there, opening writes nothing.
constexpr int kObjetosAuditoria = 7;

} // namespace

std::unique_ptr<Connection> CriarBanco(const QString& stringConexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher) {
    std::unique_ptr<Connection> conexao = Connection::Create(stringConexao);
    try {
        CriarEsquema(*conexao, senhaManutencao);
        AtualizarEsquema(*conexao);
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
        conexao.ExecuteNative(
            QStringLiteral("INSERT INTO permissao(codigo, senha) VALUES (1, '%1');").arg(senha));
        conexao.CommitTrans();
    } catch (...) {
        conexao.RollbackTrans();
        throw;
    }
}

void CriarAuditoria(Connection& conexao) {
    const Recordset existentes = conexao.Execute(QStringLiteral(
        "SELECT count(*) AS n FROM sqlite_master WHERE name IN ('auditoria_movimentacao', "
        "'auditoria_movimentacao_data', 'auditoria_insercao', 'auditoria_alteracao', 'auditoria_exclusao', "
        "'auditoria_sem_alteracao', 'auditoria_sem_exclusao')"));
    if (existentes[QStringLiteral("n")].toInteger() == kObjetosAuditoria)
        return;
    // All or nothing, inside a transaction already open or on its own.
    conexao.ExecuteNative(QStringLiteral("SAVEPOINT criar_auditoria"));
    try {
        conexao.ExecuteNative(QString::fromUtf8(kAuditoria));
        conexao.ExecuteNative(QStringLiteral("RELEASE criar_auditoria"));
    } catch (...) {
        conexao.ExecuteNative(QStringLiteral("ROLLBACK TO criar_auditoria; RELEASE criar_auditoria"));
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
