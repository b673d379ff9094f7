#include "Clock.h"
#include "MaskedEdit.h"
#include "TelaTeste.h"
#include "frmLancarDia.h"
#include "frm_consultarFuncionarios.h"
#include "frm_manutHorario.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

qint64 ana, bruno;

class ManutencaoTeste : public TesteDeTela {
protected:
    ManutencaoTeste()
        : TesteDeTela(u"manutencao"_s, [](BancoTeste& b) {
            ana = b.funcionario("ANA", "7891000079195");
            bruno = b.funcionario("BRUNO", "7891000158388");
        }) {
        Clock::set(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
    }
    ~ManutencaoTeste() override { Clock::set({}); }
};

} // namespace

TEST_F(ManutencaoTeste, LancarConfereNaOrdemEPostaComAInstrucaoDoTerminal) {
    auto* tela = abrir<frmLancarDia>();
    DigitarESair(tela->txtcartao, u"7891000 079195"_s);
    EXPECT_EQ(tela->TxtCodF->text() + ' ' + tela->TXTF->text(), QString::number(ana) + " ANA");

    const auto lancar = [&](const QString& tipo, const QString& periodo) {
        DigitarESair(tela->TxtEntradaSaida, tipo);
        DigitarESair(tela->txtmanhaTarde, periodo);
        return clicar(tela->Command1);
    };
    EXPECT_EQ(lancar("x", "1"), QStringList{"Informar se é Entrada ou Saida!"});
    EXPECT_EQ(lancar("s", "M"), QStringList{"Informar se é 1º periodo ou 2º Periodo"});
    EXPECT_EQ(lancar("s", "1"), QStringList{"Data Invalida!"});
    DigitarESair(tela->txtData, u"06122026"_s);
    EXPECT_EQ(lancar("s", "1"), QStringList{"Hora Invalida!"});
    DigitarESair(tela->TxtFUNCIONARIO, u"171500"_s);
    // Nobody has these numbers; "0" is one like any other here, and opens no lookup.
    for (const QString& ninguem : {QString(), u"x"_s, u"999"_s, u"0"_s}) {
        DigitarESair(tela->TxtCodF, ninguem);
        EXPECT_EQ(lancar("s", "1"), QStringList{"Informar o Funcionário!"}); // the fields stay
    }
    EXPECT_TRUE(tela->TXTF->text().isEmpty());
    EXPECT_FALSE(aberta<frm_consultarFuncionarios>());
    EXPECT_EQ(banco.contar("movimentacao"), 0);

    DigitarESair(tela->TxtCodF, QString::number(bruno));
    EXPECT_EQ(tela->TXTF->text(), u"BRUNO"_s);
    banco.enviadas().clear();
    EXPECT_TRUE(lancar("s", "2").isEmpty());
    EXPECT_EQ(banco.enviadas().last(), "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                       "values('06/12/2026','17:15:00', 'S', " +
                                           QString::number(bruno) + ", '2' )");
    EXPECT_EQ(banco.contar("auditoria_movimentacao"), 1);
    // A fresh, empty screen in its place.
    ASSERT_TRUE(tela = aberta<frmLancarDia>());
    EXPECT_EQ(tela->TxtCodF->text() + tela->txtData->Text(), u"__/__/____"_s);
}

TEST_F(ManutencaoTeste, ListaCarregaAlteraEExclui) {
    banco.ponto(ana, "05/12/2026", "08:00:00", "E");
    banco.ponto(ana, "05/12/2026", "12:00:00", "S");
    banco.ponto(ana, "06/12/2026", "08:00:00", "E");
    banco.ponto(bruno, "06/12/2026", "08:00:00", "E");
    const qint64 p2 = banco.sql("Select max(codigo) as s from movimentacao")["s"].toInteger() - 2;
    auto* tela = abrir<frm_manutHorario>();
    EXPECT_EQ(
        tela->Label5->text(),
        u"OBS: Para Acertar Entrada do Funcionario (\"Bater o Cartão e chame a data Para os Ajustes\")"_s);
    // "0" opens the lookup, which gives the number back.
    DigitarESair(tela->TxtCodF, u"0"_s);
    ASSERT_TRUE(aberta<frm_consultarFuncionarios>());
    EscolherNaConsulta(aberta<frm_consultarFuncionarios>(), u"BR"_s);
    EXPECT_EQ(tela->TxtCodF->text(), QString::number(bruno));
    // The card fills only the number; the name follows when that field is left.
    DigitarESair(tela->txtcartao, u"7891000079195"_s);
    EXPECT_EQ(tela->TxtCodF->text() + ' ' + tela->lblfuncionario->text(), QString::number(ana) + " BRUNO");
    QTest::keyClick(tela->TxtCodF, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->lblfuncionario->text(), u"ANA"_s);

    EXPECT_EQ(clicar(tela->Command2), QStringList{"Forneca uma Data!"});
    // From a date after the last punch: the heading alone.
    const auto listar = [&](const QString& data) {
        DigitarESair(tela->txtDataLocacao, data);
        banco.enviadas().clear();
        tela->Command2->click();
        return Itens(tela->List1);
    };
    EXPECT_EQ(listar("06122026"),
              (QStringList{"LANCAMENTO - DATA       - HORARIO         - Entrada/Saida   - PERIODO   ",
                           QString::number(p2 + 1).leftJustified(10) +
                               " - 06/12/2026 - 08:00:00        - E               - M         "}));
    EXPECT_EQ(banco.enviadas().value(0),
              "SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = " + QString::number(ana) +
                  " and data>= #12-06-2026# order by data, hora asc ");
    EXPECT_EQ(listar("07122026").size(), 1);
    ASSERT_EQ(listar("01122026").size(), 4);
    // A line is chosen by a click (also on the current one) or the arrows; the heading keeps the
    // fields as they are.
    const auto carregado = [&] {
        return QStringList{tela->txtCodigoLANCAMENTO->text(), tela->txtData->Text(),
                           tela->TxtFUNCIONARIO->Text(), tela->TxtEntradaSaida->text(),
                           tela->txtmanhaTarde->text()}
            .join(' ');
    };
    const QString p2Carregado = QString::number(p2) + " 05/12/2026 12:00:00 S M";
    const auto escolher = [&](int linha) {
        QTest::mouseClick(tela->List1->viewport(), Qt::LeftButton, {},
                          tela->List1->visualItemRect(tela->List1->item(linha)).center());
        Processar();
    };
    escolher(2);
    EXPECT_EQ(carregado(), p2Carregado);
    escolher(0);
    EXPECT_EQ(carregado(), p2Carregado);
    QTest::keyClick(tela->List1, Qt::Key_Down);
    Processar();
    EXPECT_EQ(carregado(), QString::number(p2 - 1) + " 05/12/2026 08:00:00 E M");
    DigitarESair(tela->txtCodigoLANCAMENTO, QString::number(p2)); // a number typed loads as it is left
    EXPECT_EQ(carregado(), p2Carregado);
    escolher(2);
    tela->txtCodigoLANCAMENTO->clear();
    escolher(2);
    EXPECT_EQ(carregado(), p2Carregado) << "a click on the current line loads it again";
    // Each field checked in turn; no punch number, nothing to change.
    const auto alterar = [&](QLineEdit* campo, const QString& texto) {
        const QString antes = campo->text();
        campo->setText(texto);
        const QStringList ditas = clicar(tela->Command1);
        campo->setText(antes);
        return ditas;
    };
    EXPECT_EQ(alterar(tela->TxtEntradaSaida, "X"),
              QStringList{"Digite Caracter Valido Para Entrada ou Saida!"});
    EXPECT_EQ(alterar(tela->txtmanhaTarde, "1"), QStringList{"Digite Caracter Valido Para Manha ou Tarde!"});
    EXPECT_EQ(alterar(tela->txtData, "31/02/2026"), QStringList{"Data Invalida!"});
    EXPECT_EQ(alterar(tela->TxtFUNCIONARIO, "25:00:00"), QStringList{"Horario Invalido!"});
    EXPECT_TRUE(alterar(tela->txtCodigoLANCAMENTO, "x").isEmpty());
    // Changed to a lower-case entry of the afternoon, at another time.
    DigitarESair(tela->TxtFUNCIONARIO, u"123000"_s);
    DigitarESair(tela->TxtEntradaSaida, u"e"_s);
    DigitarESair(tela->txtmanhaTarde, u"t"_s);
    banco.enviadas().clear();
    EXPECT_TRUE(clicar(tela->Command1).isEmpty());
    EXPECT_EQ(banco.enviadas().value(0),
              "update   MOVIMENTACAO set periodo= 'T', data = '05/12/2026', entradaSaida= "
              "'E', HORA = '12:30:00'   WHERE CODIGO = " +
                  QString::number(p2) + " ");
    EXPECT_TRUE(tela->List1->item(2)->text().contains(u"12:30:00        - E               - T"_s));
    EXPECT_EQ(banco.contar("auditoria_movimentacao"), 1);
    // Deleting: Cancel keeps the punch and still refreshes; OK deletes it.
    tela->List1->clear();
    mensagens.answer = MsgBoxResult::Cancel;
    EXPECT_EQ(clicar(tela->Command3), (QStringList{"Deseja Excluir o Lançamento?", "Operação Cancelada!"}));
    EXPECT_EQ(tela->List1->count(), 4);
    banco.enviadas().clear();
    mensagens.answer = MsgBoxResult::Ok;
    EXPECT_EQ(clicar(tela->Command3), (QStringList{"Deseja Excluir o Lançamento?", "Excluido com Sucesso!"}));
    EXPECT_EQ(banco.enviadas().value(0),
              "Delete From  MOVIMENTACAO  WHERE CODIGO = " + QString::number(p2) + " ");
    EXPECT_EQ(tela->List1->count(), 3);
    EXPECT_EQ(banco.contar("auditoria_movimentacao"), 2);
    // A punch number that is no number deletes nothing, whatever it says.
    for (const QString& errado : {QString(), u"1 or 1=1"_s}) {
        tela->txtCodigoLANCAMENTO->setText(errado);
        EXPECT_EQ(clicar(tela->Command3), (QStringList{"Deseja Excluir o Lançamento?", "Erro ao Excluir!"}));
    }
    EXPECT_EQ(banco.contar("movimentacao"), 3);
    EXPECT_EQ(banco.contar("auditoria_movimentacao"), 2);
    // "Atualizar Horário"; the totals it stores are pinned with the schedules.
    EXPECT_EQ(clicar(tela->Command4), QStringList{"Fim da Operação!"});
    // The posting screen asked for twice: one comes forward, alone.
    tela->Command5->click();
    tela->Command5->click();
    Processar();
    const auto telas = area.findChildren<frmLancarDia*>();
    EXPECT_EQ(std::count_if(telas.begin(), telas.end(), [](frmLancarDia* t) { return !t->isUnloaded(); }), 1);
}
