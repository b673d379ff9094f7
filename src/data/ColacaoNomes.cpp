#include "ColacaoNomes.h"

#include "Connection.h"

#include <QRegularExpression>
#include <optional>

namespace {

const QString kTabelaNova = QStringLiteral("velto_funcionarios_nova");

struct Trecho {
    qsizetype inicio;
    qsizetype fim;
};

// Where a quoted part of SQL text that starts at i ends (one past its closing quote).
qsizetype FimDoQuoted(const QString& sql, qsizetype i) {
    const QChar abre = sql.at(i);
    const QChar fecha = abre == QLatin1Char('[') ? QLatin1Char(']') : abre;
    const qsizetype j = sql.indexOf(fecha, i + 1);
    return j < 0 ? sql.size() : j + 1;
}

bool AbreQuoted(QChar c) {
    return c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[');
}

// The column and constraint definitions of a CREATE TABLE text, and the opening parenthesis.
std::optional<std::pair<qsizetype, QList<Trecho>>> Definicoes(const QString& sql) {
    qsizetype abre = -1;
    int nivel = 0;
    QList<Trecho> itens;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql.at(i);
        if (AbreQuoted(c)) {
            i = FimDoQuoted(sql, i);
            continue;
        }
        if (c == QLatin1Char('(')) {
            if (++nivel == 1) {
                abre = i;
                inicio = i + 1;
            }
        } else if (c == QLatin1Char(')')) {
            if (--nivel == 0) {
                itens.append({inicio, i});
                return std::pair{abre, itens};
            }
        } else if (c == QLatin1Char(',') && nivel == 1) {
            itens.append({inicio, i});
            inicio = i + 1;
        }
        ++i;
    }
    return std::nullopt;
}

// The name a column definition starts with, unquoted.
QString PrimeiroNome(const QString& definicao) {
    const QString t = definicao.trimmed();
    if (t.isEmpty())
        return {};
    if (AbreQuoted(t.at(0)))
        return t.mid(1, FimDoQuoted(t, 0) - 2);
    static const QRegularExpression palavra(QStringLiteral("^[^\\s(]+"));
    return palavra.match(t).captured(0);
}

struct Tabela {
    QString nome;
    QString sql;
};

std::optional<Tabela> TabelaFuncionarios(Connection& conexao) {
    const Recordset rs = conexao.Execute(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND lower(name) = 'funcionarios'"));
    if (rs.Eof())
        return std::nullopt;
    return Tabela{rs["name"].toString(), rs["sql"].toString()};
}

constexpr const char* kColacaoDoArquivo = "NOCASE";

// The CREATE TABLE text of the rebuilt table, or nullopt when `nome` needs nothing.
std::optional<QString> CriacaoComColacao(const QString& sql) {
    const auto definicoes = Definicoes(sql);
    if (!definicoes)
        return std::nullopt;
    const auto& [abre, itens] = *definicoes;
    for (const Trecho& item : itens) {
        const QString definicao = sql.mid(item.inicio, item.fim - item.inicio);
        if (PrimeiroNome(definicao).compare(QLatin1String("nome"), Qt::CaseInsensitive) != 0)
            continue;
        static const QRegularExpression colacao(QStringLiteral("\\s+COLLATE\\s+([\"'`\\[]?)(\\w+)[\"'`\\]]?"),
                                                QRegularExpression::CaseInsensitiveOption);
        const auto m = colacao.match(definicao);
        if (m.hasMatch() && m.captured(2).compare(QLatin1String(kColacaoDoArquivo), Qt::CaseInsensitive) == 0)
            return std::nullopt;
        QString nova = definicao;
        nova.remove(colacao);
        nova = nova.trimmed() + QStringLiteral(" COLLATE ") + QLatin1String(kColacaoDoArquivo);
        return QStringLiteral("CREATE TABLE ") + kTabelaNova + sql.mid(abre, item.inicio - abre) +
               QLatin1Char(' ') + nova + sql.mid(item.fim);
    }
    return std::nullopt;
}

QString Texto(QString t) {
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

void Reconstruir(Connection& conexao, const Tabela& tabela, const QString& criacao) {
    // Indexes and triggers go with the old table: their texts are kept to make them again.
    QStringList dependentes;
    for (Recordset rs = conexao.Execute(
             QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND "
                            "tbl_name = %1 AND sql IS NOT NULL")
                 .arg(Texto(tabela.nome)));
         !rs.Eof(); rs.MoveNext())
        dependentes << rs["sql"].toString();
    // Numbers of deleted employees are never given again: the sequence outlives the table.
    std::optional<qint64> sequencia;
    if (!conexao.Execute(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'sqlite_sequence'"))
             .Eof()) {
        const Recordset seq = conexao.Execute(
            QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = %1").arg(Texto(tabela.nome)));
        if (!seq.Eof())
            sequencia = seq["seq"].toInteger();
    }
    const QString nome = QLatin1Char('"') +
                         QString(tabela.nome).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                         QLatin1Char('"');
    conexao.ExecuteNative(criacao + QLatin1Char(';'));
    conexao.ExecuteNative(QStringLiteral("INSERT INTO %1 SELECT * FROM %2;").arg(kTabelaNova, nome));
    conexao.ExecuteNative(
        QStringLiteral("DROP TABLE %2; ALTER TABLE %1 RENAME TO %2;").arg(kTabelaNova, nome));
    for (const QString& sql : std::as_const(dependentes))
        conexao.ExecuteNative(sql + QLatin1Char(';'));
    if (sequencia)
        conexao.ExecuteNative(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, %1) WHERE name = %2; "
                                             "INSERT INTO sqlite_sequence(name, seq) SELECT %2, %1 WHERE NOT "
                                             "EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = %2);")
                                  .arg(*sequencia)
                                  .arg(Texto(tabela.nome)));
}

} // namespace

void DevolverColacaoComumAosNomes(Connection& conexao) {
    const std::optional<Tabela> tabela = TabelaFuncionarios(conexao);
    if (!tabela)
        return;
    if (const std::optional<QString> criacao = CriacaoComColacao(tabela->sql))
        Reconstruir(conexao, *tabela, *criacao);
}
