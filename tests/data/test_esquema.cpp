#include "BancoTeste.h"
#include "DatabaseError.h"
#include "Esquema.h"
#include "VersaoEsquema.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

// The terminal's count statement, answered from maintained counts, equals a real count after any changes.
TEST(Esquema, ContagensMantidasIgualamContagemReal) {
    BancoTeste banco;
    QRandomGenerator r(42);
    const QString contagem = u"Select count(EntradaSaida) as s from movimentacao where  funcionario  = "
                             u"%1 and EntradaSaida = '%2' "_s;
    const QStringList tipos = {"E", "S", "e", "X"};
    for (int passo = 0; passo < 400; ++passo) {
        const int acao = r.bounded(10);
        const QString codigo = banco.sql(u"Select max(codigo) as c from movimentacao"_s)["c"].toString();
        if (acao < 5 || codigo.isEmpty())
            banco.ponto(r.bounded(1, 5), u"01/12/2026"_s, u"08:00:00"_s, tipos[r.bounded(4)]);
        else if (acao < 7)
            banco.sql(
                u"Delete From  MOVIMENTACAO  WHERE CODIGO = %1"_s.arg(r.bounded(1, codigo.toInt() + 1)));
        else
            banco.sql(
                u"update   MOVIMENTACAO set entradaSaida= '%1', funcionario= %2 WHERE CODIGO = %3"_s.arg(
                    tipos[r.bounded(4)], QString::number(r.bounded(1, 5)),
                    QString::number(r.bounded(1, codigo.toInt() + 1))));
        // Every other step as the terminal's list asks, inside one snapshot: the counts after the
        // first are answered from the one read of them, without reaching the engine.
        std::optional<Connection::ReadSnapshot> leitura;
        if (passo % 2)
            leitura.emplace(*conexaoBanco);
        for (int f = 1; f <= 4; ++f) {
            for (const char* tipo : {"E", "S"}) {
                const QString sql = contagem.arg(f).arg(QLatin1String(tipo));
                const std::uint64_t antes = conexaoBanco->RoundTrips();
                const qint64 mantida = banco.sql(sql)["s"].toInteger();
                ASSERT_TRUE(!leitura || (f == 1 && *tipo == 'E') || conexaoBanco->RoundTrips() == antes);
                conexaoBanco->setRewritesEnabled(false);
                ASSERT_EQ(mantida, banco.sql(sql)["s"].toInteger()) << "passo " << passo << " f " << f;
                conexaoBanco->setRewritesEnabled(true);
            }
        }
    }
    EXPECT_TRUE(RespostaContagem(contagem.arg(3).arg(u"E"_s)).has_value());
    EXPECT_FALSE(RespostaContagem(contagem.arg(3).arg(u"E"_s) + u"or 1=1 "_s).has_value());
}

// Two programs opening an older database at once upgrade it once; a server's of a newer version
// is refused, since programs of several versions share it.
TEST(Esquema, AtualizaUmaVezComDoisAoMesmoTempoERecusaVersaoNova) {
    BancoTeste banco;
    banco.ponto(1, u"01/12/2026"_s, u"08:00:00"_s, u"E"_s);
    conexaoBanco->SetSchemaVersion(0);
    conexaoBanco.reset();
    QStringList erros[2];
    std::thread programas[2];
    for (int i = 0; i < 2; ++i) {
        programas[i] = std::thread([&erros, i] {
            try {
                AtualizarEsquema(*Connection::Open(kStringConexao));
            } catch (const DatabaseError& e) {
                erros[i] << e.message();
            }
        });
    }
    for (std::thread& p : programas)
        p.join();
    EXPECT_EQ(erros[0] + erros[1], QStringList());
    AbrirConexao();
    EXPECT_EQ(VersaoEsquema(*conexaoBanco), VersaoAtualEsquema());
    EXPECT_EQ(banco.linhas(u"Select count(EntradaSaida) as s from movimentacao where  funcionario  = 1 and "
                           u"EntradaSaida = 'E' "_s),
              QStringList{"1"});
    conexaoBanco->SetSchemaVersion(VersaoAtualEsquema() + 1);
    if (!conexaoBanco->OnServer())
        return;
    try {
        AbrirConexao();
        ADD_FAILURE() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(
            e.message().contains(u"está na versão 5 do esquema, mais nova que a versão 4 deste programa"_s))
            << e.message().toStdString();
    }
}

// New or upgraded, the file serves the plain sqlcipher shell; its punch changes are audited as outside.
TEST(Esquema, ArquivoServeAoShellDoSqlcipherEONomeSegueEmPortugues) {
    for (const bool anterior : {false, true}) {
        SCOPED_TRACE(anterior ? "upgraded" : "new");
        BancoTeste banco;
        // The previous version's own collation and functions, which the plain shell lacks.
        if (anterior) {
            conexaoBanco->ExecuteNative(uR"SQL(
DROP TABLE funcionarios;
CREATE TABLE funcionarios(codigo INTEGER PRIMARY KEY AUTOINCREMENT, nome TEXT COLLATE PTBR,
  registro TEXT COLLATE NOCASE, CODHORA TEXT COLLATE NOCASE, VALORHORA NUMERIC);
CREATE INDEX funcionarios_nome ON funcionarios(nome);
CREATE TRIGGER funcionarios_novo AFTER INSERT ON funcionarios
BEGIN INSERT INTO feriados(feriado) VALUES (NEW.nome); END;
DROP TRIGGER auditoria_insercao; DROP TRIGGER auditoria_alteracao; DROP TRIGGER auditoria_exclusao;
DROP TABLE auditoria_contexto;
CREATE TRIGGER auditoria_insercao AFTER INSERT ON movimentacao WHEN change_origin() IS NOT NULL
BEGIN INSERT INTO auditoria_movimentacao(origem) VALUES (change_origin()); END;
CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT (5),
  data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5));
PRAGMA user_version = 2;
)SQL"_s);
        }
        for (const char* nome : {"Zeca", "Érica", "ÁLVARO", "ANA", "ana", "Bruno"})
            banco.funcionario(QString::fromUtf8(nome), u"1"_s);
        const qint64 ana = 4;
        banco.sql(u"Delete from funcionarios where codigo = 6"_s);
        if (anterior) {
            for (const char* guardado : {" 4", "004", "+4", "4", "99", "x"})
                conexaoBanco->ExecuteNative(
                    u"INSERT INTO HoraCombinada(codigo, funcionario) SELECT "
                    u"coalesce(max(codigo), 0) + 1, '%1' FROM HoraCombinada"_s.arg(QLatin1String(guardado)));
            AbrirConexao();
            EXPECT_EQ(banco.linhas(u"select funcionario from HoraCombinada order by codigo"_s),
                      QStringList({"4", "4", "4", "4", "99", "x"}));
            EXPECT_EQ(banco.contar(u"feriados"_s), 6) << "the office's own trigger stays";
        }
        EXPECT_EQ(banco.funcionario(u"Cássio"_s, u"2"_s), 7)
            << "a deleted employee's number is not given again";
        // Accents and case do not count; equal names keep the order of their numbers.
        EXPECT_EQ(banco.linhas(u"Select nome from funcionarios ORDER BY NOME ASC"_s),
                  QStringList({"ÁLVARO", "ANA", "ana", "Cássio", "Érica", "Zeca"}));
        EXPECT_EQ(banco.linhas(u"Select nome from funcionarios where nome = 'erica'"_s),
                  QStringList({"Érica"}));
        QProcess shell;
        shell.start(u"sqlcipher"_s, {banco.caminhoArquivo()});
        shell.write(uR"SQL(PRAGMA key='QWZRTLK';
INSERT INTO funcionarios(nome, registro) VALUES ('Débora', '5');
UPDATE funcionarios SET nome = 'Dalva' WHERE registro = '5';
DELETE FROM funcionarios WHERE registro = '5';
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo) VALUES ('2026-12-05', '08:00:00', 'E', %1, 'M');
UPDATE movimentacao SET hora = '08:05:00' WHERE codigo = (SELECT max(codigo) FROM movimentacao);
DELETE FROM movimentacao WHERE codigo = (SELECT max(codigo) FROM movimentacao);
PRAGMA integrity_check;
)SQL"_s.arg(ana)
                        .toUtf8());
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardError()), QString());
        EXPECT_TRUE(QString::fromUtf8(shell.readAllStandardOutput()).split('\n').contains(u"ok"_s));
        const QString hoje = QDate::currentDate().toString(u"dd/MM/yyyy"_s);
        EXPECT_EQ(banco.linhas(
                      u"Select operacao, data, nome, origem from auditoria_movimentacao order by codigo"_s),
                  QStringList({"LANCADO|" + hoje + "|ANA|fora do programa",
                               "ALTERADO|" + hoje + "|ANA|fora do programa",
                               "EXCLUIDO|" + hoje + "|ANA|fora do programa"}));
        EXPECT_TRUE(banco.linhas(u"Select origem from auditoria_contexto"_s).isEmpty());
    }
}

// A file older than the record of hand changes gets it, unchangeable, once, when opened.
TEST(AuditoriaArquivoAntigo, OArquivoFeitoAntesGanhaORegistroAoAbrir) {
    BancoTeste banco;
    conexaoBanco->ExecuteNative(
        u"DROP TRIGGER auditoria_sem_exclusao; DROP TRIGGER auditoria_sem_alteracao; DROP TRIGGER "
        u"auditoria_insercao; DROP TRIGGER auditoria_alteracao; DROP TRIGGER auditoria_exclusao; DROP TABLE "
        u"auditoria_movimentacao; PRAGMA user_version = 1;"_s);
    AbrirConexao();
    const qint64 ana = banco.funcionario(u"ANA"_s, u"1"_s);
    {
        const OrigemAlteracao origem(u"frmLancarDia"_s);
        banco.ponto(ana, u"05/12/2026"_s, u"08:00:00"_s, u"E"_s);
    }
    for (int vez = 0; vez < 2; ++vez) {
        EXPECT_EQ(banco.linhas(u"Select operacao, origem from auditoria_movimentacao"_s),
                  QStringList{u"LANCADO|frmLancarDia"_s});
        CriarAuditoria(*conexaoBanco);
        AbrirConexao();
    }
    EXPECT_THROW(banco.sql(u"update auditoria_movimentacao set origem = 'x'"_s), DatabaseError);
    EXPECT_THROW(banco.sql(u"delete from auditoria_movimentacao"_s), DatabaseError);
}
