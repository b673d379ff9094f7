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
