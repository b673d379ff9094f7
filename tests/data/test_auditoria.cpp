#include "BancoTeste.h"
#include "Clock.h"
#include "DatabaseError.h"
#include "Esquema.h"

#include <gtest/gtest.h>

namespace {

// The audit rows in the order they were written, as "operacao lancamento funcionario
// antes | depois origem".
QStringList Auditoria(BancoTeste& banco) {
    QStringList linhas;
    for (Recordset rs = banco.sql(QStringLiteral("Select * from auditoria_movimentacao order by codigo"));
         !rs.Eof(); rs.MoveNext()) {
        const auto lado = [&rs](const char* sufixo) {
            const QString s = QString::fromLatin1(sufixo);
            return QStringList{rs["data_" + s].toString(), rs["hora_" + s].toString(),
                               rs[s == "anterior" ? "tipo_anterior" : "tipo_novo"].toString(),
                               rs[s == "anterior" ? "periodo_anterior" : "periodo_novo"].toString()}
                .join(' ')
                .trimmed();
        };
        linhas << QStringLiteral("%1 %2 %3 %4 %5 %6 | %7")
                      .arg(rs["data"].toString(), rs["hora"].toString(), rs["operacao"].toString(),
                           rs["lancamento"].toString(), rs["nome"].toString(),
                           lado("anterior") + " -> " + lado("nova"), rs["origem"].toString());
    }
    return linhas;
}

qint64 UltimoPonto(BancoTeste& banco) {
    return banco.sql(QStringLiteral("Select max(codigo) as s from movimentacao"))["s"].toInteger();
}

class AuditoriaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2026, 12, 7), QTime(14, 30, 5)));
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"));
    }
    void TearDown() override { Clock::set({}); }

    BancoTeste banco;
    qint64 ana = 0;
};

} // namespace

TEST_F(AuditoriaTeste, CadaAlteracaoNomeadaDeixaUmaLinhaComAntesEDepois) {
    // The terminal names no origin: its punches leave no row.
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:02:10"), QStringLiteral("E"));
    const qint64 terminal = UltimoPonto(banco);
    EXPECT_TRUE(Auditoria(banco).isEmpty());

    {
        const OrigemAlteracao origem(QStringLiteral("frmLancarDia"));
        banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("17:00:00"), QStringLiteral("S"),
                    QStringLiteral("2"));
    }
    const qint64 lancado = UltimoPonto(banco);
    Clock::advance(60'000);
    {
        const OrigemAlteracao origem(QStringLiteral("frm_manutHorario"));
        banco.sql(QStringLiteral("update   MOVIMENTACAO set periodo= 'M', data = '05/12/2026', entradaSaida= "
                                 "'E', HORA = '08:00:00'   WHERE CODIGO = %1 ")
                      .arg(terminal));
        // Nothing changed: nothing to record.
        banco.sql(QStringLiteral("update   MOVIMENTACAO set periodo= 'M', data = '05/12/2026', entradaSaida= "
                                 "'E', HORA = '08:00:00'   WHERE CODIGO = %1 ")
                      .arg(terminal));
        banco.sql(QStringLiteral("Delete From  MOVIMENTACAO  WHERE CODIGO = %1 ").arg(lancado));
    }
    // The origin ended with its scope.
    EXPECT_TRUE(conexaoBanco->origin().isEmpty());
    banco.ponto(ana, QStringLiteral("06/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));

    const QString t = QString::number(terminal), l = QString::number(lancado);
    EXPECT_EQ(
        Auditoria(banco),
        (QStringList{"07/12/2026 14:30:05 LANCADO " + l + " ANA  -> 05/12/2026 17:00:00 S 2 | frmLancarDia",
                     "07/12/2026 14:31:05 ALTERADO " + t +
                         " ANA 05/12/2026 08:02:10 E M -> 05/12/2026 08:00:00 E M | frm_manutHorario",
                     "07/12/2026 14:31:05 EXCLUIDO " + l +
                         " ANA 05/12/2026 17:00:00 S 2 ->  | frm_manutHorario"}));

    // Nobody changes or empties the record.
    EXPECT_THROW(banco.sql(QStringLiteral("update auditoria_movimentacao set origem = 'x'")), DatabaseError);
    EXPECT_THROW(banco.sql(QStringLiteral("delete from auditoria_movimentacao")), DatabaseError);
    EXPECT_EQ(Auditoria(banco).size(), 3);
}

TEST_F(AuditoriaTeste, ExcluirOFuncionarioRegistraCadaPontoDele) {
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("12:00:00"), QStringLiteral("S"));
    {
        const OrigemAlteracao origem(QStringLiteral("FrmFuncionarios"));
        banco.sql(QStringLiteral("delete from movimentacao where funcionario = %1").arg(ana));
        banco.sql(QStringLiteral("delete from funcionarios where codigo = %1").arg(ana));
    }
    const QStringList linhas = Auditoria(banco);
    ASSERT_EQ(linhas.size(), 2);
    EXPECT_TRUE(linhas[0].contains("EXCLUIDO") && linhas[0].contains("ANA 05/12/2026 08:00:00 E M ->"));
    EXPECT_TRUE(linhas[1].contains("05/12/2026 12:00:00 S M") && linhas[1].endsWith("FrmFuncionarios"));
}

TEST(AuditoriaArquivoAntigo, OArquivoFeitoAntesGanhaORegistroAoAbrir) {
    BancoTeste banco;
    conexaoBanco->ExecuteNative(QStringLiteral(
        "DROP TRIGGER auditoria_sem_exclusao; DROP TRIGGER auditoria_sem_alteracao; DROP TRIGGER "
        "auditoria_insercao; DROP TRIGGER auditoria_alteracao; DROP TRIGGER auditoria_exclusao; DROP TABLE "
        "auditoria_movimentacao; PRAGMA user_version = 1;"));
    AbrirConexao();
    const qint64 ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("1"));
    {
        const OrigemAlteracao origem(QStringLiteral("frmLancarDia"));
        banco.ponto(ana, QStringLiteral("05/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    }
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from auditoria_movimentacao"))["n"].toInteger(),
              1);
    // Opening again finds everything in place and creates nothing.
    CriarAuditoria(*conexaoBanco);
    AbrirConexao();
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from auditoria_movimentacao"))["n"].toInteger(),
              1);
}
