#include "Esquema.h"

#include "ColacaoNomes.h"
#include "EsquemaServidor.h"
#include "PtBrText.h"
#include "VersaoEsquema.h"

#include <QRegularExpression>

namespace {

// AUTOINCREMENT keeps the numbers strictly increasing and never reused after a deletion.
// Texts compare without regard to case; names sort and match without regard to accents too,
// on the program's connection only (PrepararConexao): the file declares nothing of its own.
const char* const kTabelas = R"SQL(
CREATE TABLE funcionarios(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  nome TEXT COLLATE NOCASE,
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
)SQL";

const char* const kAuditoriaImutavel = R"SQL(
CREATE TRIGGER IF NOT EXISTS auditoria_sem_alteracao BEFORE UPDATE ON auditoria_movimentacao
BEGIN
  SELECT RAISE(ABORT, 'O registro de alterações de pontos não pode ser modificado.');
END;

CREATE TRIGGER IF NOT EXISTS auditoria_sem_exclusao BEFORE DELETE ON auditoria_movimentacao
BEGIN
  SELECT RAISE(ABORT, 'O registro de alterações de pontos não pode ser apagado.');
END;
)SQL";

// The objects of kAuditoria, by name: when all are there, opening writes nothing. The triggers
// that fill the record come with the next step (kAuditoriaPortavel).
constexpr int kObjetosAuditoria = 4;

// The record's triggers as they stand in a file that any SQLCipher shell can change: what the
// program tells them (its origin and clock) is one row of auditoria_contexto, present only inside
// the program's own write transaction; a row without origin is the program's changes that are
// not recorded (the terminal's punches); no row at all is a change from outside the program.
const char* const kAuditoriaPortavel = R"SQL(
CREATE TABLE IF NOT EXISTS auditoria_contexto(
  origem TEXT COLLATE NOCASE,
  data DATE,
  hora TIME);
DELETE FROM auditoria_contexto;
DROP TRIGGER IF EXISTS auditoria_insercao;
DROP TRIGGER IF EXISTS auditoria_alteracao;
DROP TRIGGER IF EXISTS auditoria_exclusao;

CREATE TRIGGER auditoria_insercao AFTER INSERT ON movimentacao
WHEN NOT EXISTS (SELECT 1 FROM auditoria_contexto WHERE origem IS NULL)
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_nova, hora_nova, tipo_novo, periodo_novo, origem)
  VALUES (coalesce((SELECT data FROM auditoria_contexto), date('now', 'localtime')),
    coalesce((SELECT hora FROM auditoria_contexto), time('now', 'localtime')), 'LANCADO', NEW.codigo,
    NEW.funcionario, (SELECT nome FROM funcionarios WHERE codigo = NEW.funcionario),
    NEW.data, NEW.hora, NEW.EntradaSaida, NEW.periodo,
    coalesce((SELECT origem FROM auditoria_contexto), 'fora do programa'));
END;

CREATE TRIGGER auditoria_alteracao AFTER UPDATE ON movimentacao
WHEN NOT EXISTS (SELECT 1 FROM auditoria_contexto WHERE origem IS NULL) AND (OLD.data IS NOT NEW.data
  OR OLD.hora IS NOT NEW.hora OR OLD.EntradaSaida IS NOT NEW.EntradaSaida OR OLD.periodo IS NOT NEW.periodo
  OR OLD.funcionario IS NOT NEW.funcionario)
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_anterior, hora_anterior, tipo_anterior, periodo_anterior,
    data_nova, hora_nova, tipo_novo, periodo_novo, origem)
  VALUES (coalesce((SELECT data FROM auditoria_contexto), date('now', 'localtime')),
    coalesce((SELECT hora FROM auditoria_contexto), time('now', 'localtime')), 'ALTERADO', NEW.codigo,
    NEW.funcionario, (SELECT nome FROM funcionarios WHERE codigo = NEW.funcionario),
    OLD.data, OLD.hora, OLD.EntradaSaida, OLD.periodo,
    NEW.data, NEW.hora, NEW.EntradaSaida, NEW.periodo,
    coalesce((SELECT origem FROM auditoria_contexto), 'fora do programa'));
END;

CREATE TRIGGER auditoria_exclusao AFTER DELETE ON movimentacao
WHEN NOT EXISTS (SELECT 1 FROM auditoria_contexto WHERE origem IS NULL)
BEGIN
  INSERT INTO auditoria_movimentacao(data, hora, operacao, lancamento, funcionario, nome,
    data_anterior, hora_anterior, tipo_anterior, periodo_anterior, origem)
  VALUES (coalesce((SELECT data FROM auditoria_contexto), date('now', 'localtime')),
    coalesce((SELECT hora FROM auditoria_contexto), time('now', 'localtime')), 'EXCLUIDO', OLD.codigo,
    OLD.funcionario, (SELECT nome FROM funcionarios WHERE codigo = OLD.funcionario),
    OLD.data, OLD.hora, OLD.EntradaSaida, OLD.periodo,
    coalesce((SELECT origem FROM auditoria_contexto), 'fora do programa'));
END;
)SQL";

// Agreed hours were once stored under the employee number as typed (" 7", "007", "+7"): such a
// row of an existing employee gets his plain number, the one every lookup uses.
void NumerosSimplesNasHorasCombinadas(Connection& conexao) {
    if (!conexao.HasTable(QStringLiteral("HoraCombinada")))
        return;
    for (Recordset rs = conexao.Execute(QStringLiteral("SELECT codigo, funcionario FROM HoraCombinada"));
         !rs.Eof(); rs.MoveNext()) {
        const QString guardado = rs[QStringLiteral("funcionario")].toString();
        bool numero = false;
        const qint64 funcionario = guardado.trimmed().toLongLong(&numero);
        if (!numero || QString::number(funcionario) == guardado ||
            conexao
                .Execute(QStringLiteral("SELECT codigo FROM funcionarios WHERE codigo = %1").arg(funcionario))
                .Eof())
            continue;
        conexao.Execute(QStringLiteral("UPDATE HoraCombinada SET funcionario = '%1' WHERE codigo = %2")
                            .arg(funcionario)
                            .arg(rs[QStringLiteral("codigo")].toInteger()));
    }
}

} // namespace

std::unique_ptr<Connection> CriarBanco(const QString& stringConexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher) {
    return CriarBanco(Connection::Create(stringConexao), senhaManutencao, preencher);
}

std::unique_ptr<Connection> CriarBanco(std::unique_ptr<Connection> conexao, const QString& senhaManutencao,
                                       const std::function<void(Connection&)>& preencher) {
    PrepararConexao(*conexao);
    try {
        // One transaction: a failure anywhere leaves nothing made on a server either.
        Connection::WriteTransaction transacao(*conexao);
        CriarEsquema(*conexao, senhaManutencao);
        ExecutarPassos(*conexao, 0);
        if (preencher)
            preencher(*conexao);
        transacao.Commit();
    } catch (...) {
        conexao->DiscardCreated();
        throw;
    }
    return conexao;
}

void CriarEsquema(Connection& conexao, const QString& senhaManutencao) {
    QString senha = senhaManutencao;
    senha.replace(QLatin1Char('\''), QStringLiteral("''"));
    std::optional<Connection::WriteTransaction> propria;
    if (!conexao.InTransaction())
        propria.emplace(conexao);
    conexao.ExecuteNative(conexao.OnServer() ? TabelasNoServidor(QString::fromUtf8(kTabelas))
                                             : QString::fromUtf8(kTabelas));
    conexao.ExecuteNative(
        QStringLiteral("INSERT INTO permissao(codigo, senha) VALUES (1, '%1');").arg(senha));
    if (propria)
        propria->Commit();
}

void CriarAuditoria(Connection& conexao) {
    const Recordset existentes = conexao.Execute(QStringLiteral(
        "SELECT count(*) AS n FROM sqlite_master WHERE name IN ('auditoria_movimentacao', "
        "'auditoria_movimentacao_data', 'auditoria_sem_alteracao', 'auditoria_sem_exclusao')"));
    if (existentes[QStringLiteral("n")].toInteger() == kObjetosAuditoria)
        return;
    // All or nothing, inside a transaction already open or on its own.
    conexao.ExecuteNative(QStringLiteral("SAVEPOINT criar_auditoria"));
    try {
        conexao.ExecuteNative(QString::fromUtf8(kAuditoria) + QString::fromUtf8(kAuditoriaImutavel));
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
        {m.captured(1).toLongLong(), m.captured(2)},
        // The terminal's list asks for every employee's counts in one snapshot.
        QStringLiteral("SELECT funcionario, EntradaSaida, quantidade AS s FROM contagem_movimentacao"),
        Variant::integer(0)};
}

void TornarArquivoPortavel(Connection& conexao) {
    DevolverColacaoComumAosNomes(conexao);
    conexao.ExecuteNative(QString::fromUtf8(kAuditoriaPortavel));
    NumerosSimplesNasHorasCombinadas(conexao);
}

void CriarAuditoriaNoServidor(Connection& conexao) {
    conexao.ExecuteNative(NoServidor(QString::fromUtf8(kAuditoria)) + AuditoriaImutavelNoServidor());
}

void PrepararConexao(Connection& conexao) {
    conexao.setRewriter(&RespostaContagem);
    // A schedule's weekday rows come by weekday number, as the file's index on it gives them.
    conexao.setRowOrder(QStringLiteral("horarios"), QStringLiteral("CODHORA"));
    conexao.setColumnCollation(QStringLiteral("funcionarios"), QStringLiteral("nome"),
                               QLatin1String(kPtBrCollation));
    conexao.setChangeContext(QStringLiteral("movimentacao"), QStringLiteral("auditoria_contexto"));
}
