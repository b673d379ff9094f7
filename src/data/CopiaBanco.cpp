#include "CopiaBanco.h"

#include "Conexao.h"
#include "DatabaseError.h"
#include "Esquema.h"
#include "EsquemaServidor.h"
#include "VersaoEsquema.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct Tabela {
    const char* nome;
    bool numerada; // codigo given by the engine's counter
    const char* ordem;
};

// In the order a copy needs: punches after employees, the record last. horarios has no codigo.
const Tabela kTabelas[] = {
    {"funcionarios", true, "codigo"},
    {"movimentacao", true, "codigo"},
    {"horarios", false, "registro, CODHORA, DiaSemana, nome, tele, endereco, cidade, totalhoras, DESCRICAO"},
    {"feriados", true, "codigo"},
    {"permissao", false, "codigo"},
    {"HoraCombinada", false, "codigo"},
    {"auditoria_movimentacao", true, "codigo"},
};

// The agreed-hours table as the program's screen makes it in a file, for a copy that has it.
const char* const kHoraCombinada =
    "CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT (5), "
    "data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))";

constexpr int kLinhasPorLeitura = 5000;
constexpr int kLinhasPorInsercao = 500;

bool TemCodigo(const Tabela& t) {
    return QLatin1String(t.ordem) == QLatin1String("codigo");
}

// Reads a table in pieces, in its order, handing each piece to `usar`.
void Ler(Connection& conexao, const Tabela& t, const std::function<void(const Recordset&)>& usar) {
    if (!TemCodigo(t)) {
        usar(conexao.Execute(QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                                 .arg(QLatin1String(t.nome), QLatin1String(t.ordem))));
        return;
    }
    qint64 ultimo = std::numeric_limits<qint64>::min();
    for (;;) {
        const Recordset rs =
            conexao.Execute(QStringLiteral("SELECT * FROM %1 WHERE codigo > %2 ORDER BY codigo LIMIT %3")
                                .arg(QLatin1String(t.nome))
                                .arg(ultimo)
                                .arg(kLinhasPorLeitura));
        if (rs.rowCount() == 0)
            return;
        usar(rs);
        ultimo = rs.row(rs.rowCount() - 1).at(rs.columnIndex(QStringLiteral("codigo"))).toInteger();
        if (rs.rowCount() < kLinhasPorLeitura)
            return;
    }
}

QString Texto(const QString& texto) {
    QString t = texto;
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// The value as a literal for a column of `tipo`, or nullopt when that column refuses it.
std::optional<QString> Literal(const Variant& v, ColumnKind tipo) {
    switch (v.type()) {
    case Variant::Type::Null:
        return QStringLiteral("NULL");
    case Variant::Type::Integer:
    case Variant::Type::Real:
        if (tipo == ColumnKind::Text)
            return Texto(v.toString());
        if (tipo != ColumnKind::Number)
            return std::nullopt;
        return v.type() == Variant::Type::Integer ? QString::number(v.toInteger())
                                                  : QString::number(v.toReal(), 'g', 17);
    case Variant::Type::Date:
        return tipo == ColumnKind::Date || tipo == ColumnKind::Text
                   ? std::optional(Texto(v.toDate().toString(QStringLiteral("yyyy-MM-dd"))))
                   : std::nullopt;
    case Variant::Type::Time:
        return tipo == ColumnKind::Time || tipo == ColumnKind::Text
                   ? std::optional(Texto(v.toTime().toString(QStringLiteral("hh:mm:ss"))))
                   : std::nullopt;
    case Variant::Type::Text:
        return tipo == ColumnKind::Text ? std::optional(Texto(v.toString())) : std::nullopt;
    case Variant::Type::Bytes:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

QList<ValorRecusado> CopiarBanco(Connection& origem, Connection& destino) {
    QList<ValorRecusado> recusados;
    const Connection::ReadSnapshot leitura(origem);
    destino.Execute(QStringLiteral("DELETE FROM permissao"));
    ContagensAoFim contagens(destino);
    for (const Tabela& t : kTabelas) {
        const QString nome = QLatin1String(t.nome);
        const QList<ColumnInfo> deOrigem = origem.Columns(nome);
        if (!deOrigem.isEmpty() && !destino.HasTable(nome) && nome == QLatin1String("HoraCombinada"))
            destino.Execute(QLatin1String(kHoraCombinada));
        const QList<ColumnInfo> deDestino = destino.Columns(nome);
        if (deOrigem.isEmpty() || deDestino.isEmpty())
            continue;
        // The columns both have, with the destination's kinds.
        QStringList nomes;
        QList<ColumnKind> tipos;
        for (const ColumnInfo& c : deOrigem) {
            for (const ColumnInfo& d : deDestino) {
                if (c.name.compare(d.name, Qt::CaseInsensitive) == 0) {
                    nomes << c.name;
                    tipos << d.kind;
                }
            }
        }
        const QString insercao =
            QStringLiteral("INSERT INTO %1(%2) VALUES ").arg(nome, nomes.join(QStringLiteral(", ")));
        qint64 maior = 0;
        Ler(origem, t, [&](const Recordset& rs) {
            QStringList linhas;
            const auto gravar = [&] {
                if (recusados.isEmpty() && !linhas.isEmpty())
                    destino.Execute(insercao + linhas.join(QStringLiteral(", ")));
                linhas.clear();
            };
            for (int i = 0; i < rs.rowCount(); ++i) {
                QStringList valores;
                const qint64 codigo =
                    TemCodigo(t) ? rs.row(i).at(rs.columnIndex(QStringLiteral("codigo"))).toInteger() : 0;
                maior = std::max(maior, codigo);
                for (int c = 0; c < nomes.size(); ++c) {
                    const Variant& v = rs.row(i).at(rs.columnIndex(nomes.at(c)));
                    const std::optional<QString> literal = Literal(v, tipos.at(c));
                    if (!literal)
                        recusados.append({nome, codigo, nomes.at(c), v.toString()});
                    valores << literal.value_or(QString());
                }
                linhas << QLatin1Char('(') + valores.join(QStringLiteral(", ")) + QLatin1Char(')');
                if (linhas.size() == kLinhasPorInsercao)
                    gravar();
            }
            gravar();
        });
        // A number once given, even to a row deleted since, is never given again.
        if (t.numerada && recusados.isEmpty())
            destino.SetLastNumber(nome, std::max(maior, origem.LastNumber(nome)));
    }
    if (recusados.isEmpty())
        contagens.Concluir();
    return recusados;
}

QStringList CompararBancos(Connection& a, Connection& b, qint64* linhas) {
    QStringList diferencas;
    qint64 comparadas = 0;
    const Connection::ReadSnapshot leituraA(a);
    const Connection::ReadSnapshot leituraB(b);
    // Row by row, each row's values as texts; a few differences of each table are enough.
    const auto comparar = [&](const QString& tabela, const Recordset& ra, const Recordset& rb,
                              const QStringList& colunas, int& achadas) {
        for (int i = 0; i < std::max(ra.rowCount(), rb.rowCount()) && achadas < 5; ++i) {
            for (const QString& c : colunas) {
                const QString va = i < ra.rowCount() ? ra.row(i).at(ra.columnIndex(c)).toString() : QString();
                const QString vb = i < rb.rowCount() ? rb.row(i).at(rb.columnIndex(c)).toString() : QString();
                if (va != vb || i >= ra.rowCount() || i >= rb.rowCount()) {
                    diferencas << QStringLiteral("%1, linha %2, %3: '%4' e '%5'")
                                      .arg(tabela)
                                      .arg(comparadas + i + 1)
                                      .arg(c, va, vb);
                    ++achadas;
                    break;
                }
            }
        }
        comparadas += ra.rowCount();
    };
    for (const Tabela& t : kTabelas) {
        const QString nome = QLatin1String(t.nome);
        QStringList colunas;
        for (const ColumnInfo& c : a.Columns(nome))
            colunas << c.name;
        if (colunas.isEmpty())
            continue;
        if (!b.HasTable(nome)) {
            if (a.Execute(QStringLiteral("SELECT count(*) AS n FROM %1").arg(nome))[QStringLiteral("n")]
                    .toInteger() > 0)
                diferencas << QStringLiteral("%1: a tabela falta na cópia").arg(nome);
            continue;
        }
        int achadas = 0;
        if (!TemCodigo(t)) {
            const QString sql =
                QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(nome, QLatin1String(t.ordem));
            comparar(nome, a.Execute(sql), b.Execute(sql), colunas, achadas);
            continue;
        }
        // Both in the same pieces of codigo: equal tables give equal pieces.
        qint64 ultimo = std::numeric_limits<qint64>::min();
        for (;;) {
            const QString sql = QStringLiteral("SELECT * FROM %1 WHERE codigo > %2 ORDER BY codigo LIMIT %3")
                                    .arg(nome)
                                    .arg(ultimo)
                                    .arg(kLinhasPorLeitura);
            const Recordset ra = a.Execute(sql), rb = b.Execute(sql);
            comparar(nome, ra, rb, colunas, achadas);
            if (ra.rowCount() < kLinhasPorLeitura || achadas > 0)
                break;
            ultimo = ra.row(ra.rowCount() - 1).at(ra.columnIndex(QStringLiteral("codigo"))).toInteger();
        }
    }
    if (linhas)
        *linhas = comparadas;
    return diferencas + ContagensErradas(b);
}

qint64 LinhasDeDados(Connection& conexao) {
    qint64 linhas = 0;
    for (const Tabela& t : kTabelas) {
        const QString nome = QLatin1String(t.nome);
        if (nome != QLatin1String("permissao") && conexao.HasTable(nome))
            linhas +=
                conexao.Execute(QStringLiteral("SELECT count(*) AS n FROM %1").arg(nome))[QStringLiteral("n")]
                    .toInteger();
    }
    return linhas;
}

QStringList ContagensErradas(Connection& conexao) {
    const auto linhas = [&conexao](const char* sql) {
        QStringList texto;
        for (Recordset rs = conexao.Execute(QLatin1String(sql)); !rs.Eof(); rs.MoveNext())
            texto << QStringLiteral("funcionario %1, %2: %3")
                         .arg(rs[QStringLiteral("funcionario")].toString(),
                              rs[QStringLiteral("tipo")].toString(), rs[QStringLiteral("n")].toString());
        return texto;
    };
    const QStringList reais =
        linhas("SELECT funcionario, upper(EntradaSaida) AS tipo, count(*) AS n FROM movimentacao "
               "WHERE funcionario IS NOT NULL AND EntradaSaida IS NOT NULL "
               "GROUP BY funcionario, upper(EntradaSaida) ORDER BY funcionario, tipo");
    const QStringList mantidas =
        linhas("SELECT funcionario, EntradaSaida AS tipo, quantidade AS n FROM "
               "contagem_movimentacao WHERE quantidade <> 0 ORDER BY funcionario, tipo");
    for (const QString& r : reais) {
        if (!mantidas.contains(r))
            return {QStringLiteral("as contagens mantidas diferem das reais (%1 pontos)").arg(r)};
    }
    if (reais != mantidas)
        return {QStringLiteral("as contagens mantidas diferem das reais")};
    return {};
}

QStringList ConferirEsquema(Connection& conexao) {
    QStringList problemas = ContagensErradas(conexao);
    // The triggers at work, in a transaction undone afterwards: a punch posted by hand is counted
    // and recorded.
    const Connection::WriteTransaction teste(conexao);
    const QString origem = conexao.origin();
    conexao.setOrigin(QStringLiteral("velto-banco verificar"));
    conexao.Execute(QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                   "values('01/01/2000','00:00:00', 'E', -1, 'M' )"));
    conexao.setOrigin(origem);
    const auto numero = [&conexao](const char* sql) {
        return conexao.Execute(QLatin1String(sql)).Fields(QStringLiteral("n")).toInteger();
    };
    if (numero("SELECT quantidade AS n FROM contagem_movimentacao WHERE funcionario = -1 AND EntradaSaida = "
               "'E'") !=
        numero("SELECT count(*) AS n FROM movimentacao WHERE funcionario = -1 AND EntradaSaida = 'E'"))
        problemas << QStringLiteral("o gatilho das contagens de pontos não está funcionando");
    if (numero("SELECT count(*) AS n FROM auditoria_movimentacao WHERE funcionario = -1 AND "
               "origem = 'velto-banco verificar'") != 1)
        problemas << QStringLiteral("o gatilho do registro de alterações não está funcionando");
    return problemas;
}

QString StringConexaoDe(const QString& arquivo) {
    return QStringLiteral("Dbq=%1;Uid=;Pwd=%2;")
        .arg(QFileInfo(arquivo).absoluteFilePath(), ConnectionString::parse(kStringConexao).pwd);
}

QStringList ProblemasDoBanco(Connection& conexao) {
    QStringList problemas = conexao.IntegrityCheck();
    // An older schema is brought up to date by the program when it opens it; only a current one
    // has every trigger to try.
    if (problemas.isEmpty() && VersaoEsquema(conexao) == VersaoAtualEsquema()) {
        PrepararConexao(conexao);
        problemas = ConferirEsquema(conexao);
    }
    return problemas;
}

namespace {

// A database whose engine cannot copy itself (a server): its rows, read in one snapshot, into a
// new file of the embedded format, compared value by value afterwards.
void CopiarParaArquivo(Connection& origem, const QString& destino) {
    auto copia = CriarBanco(Connection::CreateFile(StringConexaoDe(destino)), QString());
    try {
        Connection::WriteTransaction transacao(*copia);
        CopiarBanco(origem, *copia);
        transacao.Commit();
        const QStringList diferencas = CompararBancos(origem, *copia);
        if (!diferencas.isEmpty())
            throw DatabaseError(
                QStringLiteral("a cópia difere do banco de dados:\n%1").arg(diferencas.join(u'\n')));
    } catch (...) {
        copia->DiscardCreated();
        throw;
    }
}

} // namespace

void GravarCopia(Connection& origem, const QString& destino, const std::function<void()>& entrePassos) {
    if (!QFileInfo(destino).absoluteDir().exists())
        throw DatabaseError(QStringLiteral("a pasta %1 não existe").arg(QFileInfo(destino).absolutePath()));
    {
        const Connection::ReadSnapshot leitura(origem);
        if (!origem.BackupTo(destino, ConnectionString::parse(kStringConexao).pwd))
            CopiarParaArquivo(origem, destino);
        if (entrePassos)
            entrePassos();
    }
    // As private as the database itself: another account of the machine does not take it away.
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    const QStringList problemas = ProblemasDoBanco(*Connection::OpenFile(StringConexaoDe(destino)));
    if (!problemas.isEmpty())
        throw DatabaseError(QStringLiteral("a cópia %1 foi gravada, mas não passou na verificação:\n%2")
                                .arg(destino, problemas.join(QLatin1Char('\n'))));
}
