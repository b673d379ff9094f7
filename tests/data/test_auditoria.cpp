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
    for (Recordset rs = banco.sql(u"Select * from auditoria_movimentacao order by codigo"_s); !rs.Eof();
         rs.MoveNext()) {
        const auto lado = [&rs](const char* sufixo) {
            const QString s = QString::fromLatin1(sufixo);
            return QStringList{rs["data_" + s].toString(), rs["hora_" + s].toString(),
                               rs[s == "anterior" ? "tipo_anterior" : "tipo_novo"].toString(),
                               rs[s == "anterior" ? "periodo_anterior" : "periodo_novo"].toString()}
                .join(' ')
                .trimmed();
        };
        linhas << u"%1 %2 %3 %4 %5 %6 | %7"_s.arg(
            rs["data"].toString(), rs["hora"].toString(), rs["operacao"].toString(),
            rs["lancamento"].toString(), rs["nome"].toString(), lado("anterior") + " -> " + lado("nova"),
            rs["origem"].toString());
    }
    return linhas;
}

// ANA (1) and a punch of hers from the terminal (1).
class AuditoriaTeste : public ::testing::Test {
protected:
    void SetUp() override { Clock::set(QDateTime(QDate(2026, 12, 7), QTime(14, 30, 5))); }
    void TearDown() override { Clock::set({}); }

    BancoTeste banco{u"ana"_s, [](BancoTeste& b) {
                         b.ponto(b.funcionario(u"ANA"_s, u"7891000079195"_s), u"05/12/2026"_s, u"08:02:10"_s,
                                 u"E"_s);
                     }};
};

} // namespace

TEST_F(AuditoriaTeste, CadaAlteracaoNomeadaDeixaUmaLinhaComAntesEDepois) {
    // The terminal names no origin: its punches leave no row.
    EXPECT_TRUE(Auditoria(banco).isEmpty());
    {
        const OrigemAlteracao origem(u"frmLancarDia"_s);
        banco.ponto(1, u"05/12/2026"_s, u"17:00:00"_s, u"S"_s, u"2"_s);
    }
    Clock::advance(60'000);
    {
        const OrigemAlteracao origem(u"frm_manutHorario"_s);
        // The second time nothing changes: nothing to record.
        for (int vez = 0; vez < 2; ++vez)
            banco.sql(u"update   MOVIMENTACAO set periodo= 'M', data = '05/12/2026', entradaSaida= "
                      u"'E', HORA = '08:00:00'   WHERE CODIGO = 1 "_s);
        banco.sql(u"Delete From  MOVIMENTACAO  WHERE CODIGO = 2 "_s);
    }
    // The origin ended with its scope.
    EXPECT_TRUE(conexaoBanco->origin().isEmpty());
    banco.ponto(1, u"06/12/2026"_s, u"08:00:00"_s, u"E"_s);
    EXPECT_EQ(Auditoria(banco),
              (QStringList{
                  u"07/12/2026 14:30:05 LANCADO 2 ANA  -> 05/12/2026 17:00:00 S 2 | frmLancarDia"_s,
                  u"07/12/2026 14:31:05 ALTERADO 1 ANA 05/12/2026 08:02:10 E M -> 05/12/2026 08:00:00 E M "
                  u"| frm_manutHorario"_s,
                  u"07/12/2026 14:31:05 EXCLUIDO 2 ANA 05/12/2026 17:00:00 S 2 ->  | frm_manutHorario"_s}));
    // Nobody changes or empties the record.
    EXPECT_THROW(banco.sql(u"update auditoria_movimentacao set origem = 'x'"_s), DatabaseError);
    EXPECT_THROW(banco.sql(u"delete from auditoria_movimentacao"_s), DatabaseError);
    EXPECT_EQ(Auditoria(banco).size(), 3);
}

TEST_F(AuditoriaTeste, ExcluirOFuncionarioRegistraCadaPontoDele) {
    banco.ponto(1, u"05/12/2026"_s, u"12:00:00"_s, u"S"_s);
    {
        const OrigemAlteracao origem(u"FrmFuncionarios"_s);
        banco.sql(u"delete from movimentacao where funcionario = 1"_s);
        banco.sql(u"delete from funcionarios where codigo = 1"_s);
    }
    const QStringList linhas = Auditoria(banco);
    ASSERT_EQ(linhas.size(), 2);
    EXPECT_TRUE(linhas[0].contains(u"EXCLUIDO"_s) && linhas[0].contains(u"ANA 05/12/2026 08:02:10 E M ->"_s));
    EXPECT_TRUE(linhas[1].contains(u"05/12/2026 12:00:00 S M"_s) && linhas[1].endsWith(u"FrmFuncionarios"_s));
}

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
    // Opening again finds everything in place and creates nothing.
    for (int vez = 0; vez < 2; ++vez) {
        EXPECT_EQ(banco.sql(u"Select count(*) as n from auditoria_movimentacao"_s)["n"].toInteger(), 1);
        CriarAuditoria(*conexaoBanco);
        AbrirConexao();
    }
}
