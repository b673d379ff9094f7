#include "BancoTeste.h"
#include "Clock.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "RegistrarPonto.h"
#include "TelaTeste.h"
#include "frmLancarDia.h"
#include "frmVelto.h"
#include "frm_consultarFuncionarios.h"
#include "frm_manutHorario.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

const QString kInsert = QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                       "values('%1','%2', '%3', %4, '%5' )");

class ManutencaoTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"));
        bruno = banco.funcionario(QStringLiteral("BRUNO"), QStringLiteral("7891000158388"));
        area.resize(1100, 760);
        ASSERT_TRUE(Ativar(area));
    }
    void TearDown() override { Clock::set({}); }

    template <typename T> T* abrir() {
        auto* tela = new T;
        tela->showIn(&area);
        Processar();
        return tela;
    }
    template <typename T> T* aberta() const {
        for (auto* t : area.findChildren<T*>()) {
            if (!t->isUnloaded())
                return t;
        }
        return nullptr;
    }
    // The posting screen asked for again after a posting: the fresh one comes forward, alone.
    void umaSoTelaDeLancamento() {
        auto* manutencao = abrir<frm_manutHorario>();
        for (int vez = 0; vez < 2; ++vez) {
            manutencao->Command5->click();
            Processar();
        }
        const auto telas = area.findChildren<frmLancarDia*>();
        EXPECT_EQ(std::count_if(telas.begin(), telas.end(), [](frmLancarDia* t) { return !t->isUnloaded(); }),
                  1);
        EXPECT_EQ(area.activeSubWindow()->widget(), aberta<frmLancarDia>());
    }
    qint64 contar(const QString& sql) { return banco.sql(sql)["n"].toInteger(); }
    qint64 pontos() { return contar(QStringLiteral("Select count(*) as n from movimentacao")); }
    qint64 auditoria() { return contar(QStringLiteral("Select count(*) as n from auditoria_movimentacao")); }
    qint64 ultimo() {
        return banco.sql(QStringLiteral("Select max(codigo) as s from movimentacao"))["s"].toInteger();
    }
    ResultadoPonto passarCartao(const QString& cartao, const QTime& hora) {
        const QDate dia(2026, 12, 7);
        return RegistrarPonto(cartao, dia, hora, dia.toString(QStringLiteral("dd/MM/yyyy")),
                              hora.toString(QStringLiteral("hh:mm:ss")));
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    qint64 ana = 0, bruno = 0;
};

} // namespace

TEST_F(ManutencaoTeste, LancarConfereNaOrdemEPostaComAInstrucaoDoTerminal) {
    QPointer<frmLancarDia> tela = abrir<frmLancarDia>();
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Lançar Hora"));
    EXPECT_EQ(tela->TxtEntradaSaida->toolTip(), QStringLiteral("Informar E ou S"));
    EXPECT_EQ(tela->txtmanhaTarde->toolTip(), QStringLiteral("Informar 1 ou 2"));

    DigitarESair(tela->txtcartao, QStringLiteral("7891000 079195"));
    EXPECT_EQ(tela->TxtCodF->text(), QString::number(ana));
    EXPECT_EQ(tela->TXTF->text(), QStringLiteral("ANA"));
    // "0" is a number like any other here: nobody has it, and no lookup opens.
    DigitarESair(tela->TxtCodF, QStringLiteral("0"));
    EXPECT_TRUE(tela->TXTF->text().isEmpty());
    EXPECT_FALSE(aberta<frm_consultarFuncionarios>());
    DigitarESair(tela->TxtCodF, QString::number(bruno));
    EXPECT_EQ(tela->TXTF->text(), QStringLiteral("BRUNO"));

    const auto lancar = [&](const QString& tipo, const QString& periodo) {
        DigitarESair(tela->TxtEntradaSaida, tipo);
        DigitarESair(tela->txtmanhaTarde, periodo);
        mensagens.calls.clear();
        tela->Command1->click();
        Processar();
        return mensagens.texts();
    };
    EXPECT_EQ(lancar("x", "1"), QStringList{"Informar se é Entrada ou Saida!"});
    EXPECT_EQ(lancar("s", "M"), QStringList{"Informar se é 1º periodo ou 2º Periodo"});
    EXPECT_EQ(tela->TxtEntradaSaida->text(), QStringLiteral("S"));
    EXPECT_EQ(lancar("s", "1"), QStringList{"Data Invalida!"});
    DigitarESair(tela->txtData, QStringLiteral("06122026"));
    EXPECT_EQ(lancar("s", "1"), QStringList{"Hora Invalida!"});
    DigitarESair(tela->TxtFUNCIONARIO, QStringLiteral("171500"));
    for (const QString& ninguem : {QString(), QStringLiteral("x"), QStringLiteral("999")}) {
        DigitarESair(tela->TxtCodF, ninguem);
        EXPECT_EQ(lancar("s", "1"), QStringList{"Informar o Funcionário!"});
        EXPECT_EQ(tela->txtData->Text(), QStringLiteral("06/12/2026")); // the fields stay
    }
    EXPECT_EQ(pontos(), 0);
    EXPECT_EQ(mensagens.calls.value(0).buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(mensagens.calls.value(0).icon, MsgBoxIcon::None);

    DigitarESair(tela->TxtCodF, QString::number(bruno));
    banco.enviadas().clear();
    EXPECT_TRUE(lancar("s", "2").isEmpty());
    EXPECT_EQ(banco.enviadas().last(),
              kInsert.arg("06/12/2026", "17:15:00", "S", QString::number(bruno), "2"));
    EXPECT_EQ(pontos(), 1);
    EXPECT_EQ(auditoria(), 1);
    // A fresh, empty screen in its place.
    EXPECT_TRUE(!tela || tela->isUnloaded());
    frmLancarDia* nova = aberta<frmLancarDia>();
    ASSERT_TRUE(nova);
    EXPECT_TRUE(nova->TxtCodF->text().isEmpty());
    EXPECT_EQ(nova->txtData->Text(), QStringLiteral("__/__/____"));
    umaSoTelaDeLancamento();
}

TEST_F(ManutencaoTeste, SaidaLancadaTiraDaListaDoTerminal) {
    EXPECT_EQ(passarCartao(QStringLiteral("7891000079195"), QTime(8, 0, 0)).entradaSaida,
              QStringLiteral("E"));
    auto* terminal = abrir<frmVelto>();
    ASSERT_EQ(terminal->List1->count(), 1);

    frmLancarDia* tela = abrir<frmLancarDia>();
    DigitarESair(tela->TxtCodF, QString::number(ana));
    DigitarESair(tela->txtData, QStringLiteral("07122026"));
    DigitarESair(tela->TxtFUNCIONARIO, QStringLiteral("085000"));
    DigitarESair(tela->TxtEntradaSaida, QStringLiteral("S"));
    DigitarESair(tela->txtmanhaTarde, QStringLiteral("1"));
    tela->Command1->click();
    Processar();
    EXPECT_TRUE(mensagens.calls.isEmpty());
    terminal->VerFuncionariosTrabalhando();
    EXPECT_EQ(terminal->List1->count(), 0);
    // The next swipe is an entry again.
    EXPECT_EQ(passarCartao(QStringLiteral("7891000079195"), QTime(9, 30, 0)).entradaSaida,
              QStringLiteral("E"));
}

TEST_F(ManutencaoTeste, ListaCarregaAlteraEExclui) {
    banco.ponto(ana, "05/12/2026", "08:00:00", "E");
    banco.ponto(ana, "05/12/2026", "12:00:00", "S");
    banco.ponto(ana, "06/12/2026", "08:00:00", "E");
    banco.ponto(bruno, "06/12/2026", "08:00:00", "E");
    const qint64 p3 = ultimo() - 1, p2 = p3 - 1;
    auto* tela = abrir<frm_manutHorario>();
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Manutenção de Horarios"));
    EXPECT_EQ(tela->Label5->text(),
              QStringLiteral("OBS: Para Acertar Entrada do Funcionario (\"Bater o Cartão e "
                             "chame a data Para os Ajustes\")"));

    // The card fills only the number; the name follows when that field is left.
    DigitarESair(tela->txtcartao, QStringLiteral("7891000079195"));
    EXPECT_EQ(tela->TxtCodF->text(), QString::number(ana));
    EXPECT_TRUE(tela->lblfuncionario->text().isEmpty());
    ASSERT_TRUE(tela->TxtCodF->hasFocus());
    QTest::keyClick(tela->TxtCodF, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->lblfuncionario->text(), QStringLiteral("ANA"));

    tela->Command2->click();
    EXPECT_EQ(mensagens.texts(), QStringList{"Forneca uma Data!"});
    DigitarESair(tela->txtDataLocacao, QStringLiteral("06122026"));
    banco.enviadas().clear();
    tela->Command2->click();
    EXPECT_EQ(banco.enviadas().value(0),
              QStringLiteral("SELECT  * FROM MOVIMENTACAO  WHERE Funcionario = ") + QString::number(ana) +
                  QStringLiteral(" and data>= #12-06-2026# order by data, hora asc "));
    ASSERT_EQ(tela->List1->count(), 2);
    EXPECT_EQ(tela->List1->item(0)->text(),
              QStringLiteral("LANCAMENTO - DATA       - HORARIO         - Entrada/Saida   - PERIODO   "));
    EXPECT_EQ(tela->List1->item(1)->text(),
              QString::number(p3).leftJustified(10) +
                  QStringLiteral(" - 06/12/2026 - 08:00:00        - E               - M         "));

    // From a date after the last punch: the heading alone.
    DigitarESair(tela->txtDataLocacao, QStringLiteral("07122026"));
    tela->Command2->click();
    EXPECT_EQ(tela->List1->count(), 1);

    DigitarESair(tela->txtDataLocacao, QStringLiteral("01122026"));
    tela->Command2->click();
    ASSERT_EQ(tela->List1->count(), 4);
    // A line is chosen by a click (also on the current one) or the arrows; the heading keeps the
    // fields as they are, and so does entering the list with Tab.
    const auto carregado = [&] {
        return QStringList{tela->txtCodigoLANCAMENTO->text(), tela->txtData->Text(),
                           tela->TxtFUNCIONARIO->Text(), tela->TxtEntradaSaida->text(),
                           tela->txtmanhaTarde->text()}
            .join(' ');
    };
    const QString p1Carregado = QString::number(p2 - 1) + " 05/12/2026 08:00:00 E M";
    const QString p2Carregado = QString::number(p2) + " 05/12/2026 12:00:00 S M";
    const auto clicar = [&](int linha) {
        QTest::mouseClick(tela->List1->viewport(), Qt::LeftButton, {},
                          tela->List1->visualItemRect(tela->List1->item(linha)).center());
        Processar();
    };
    const auto tecla = [&](Qt::Key k) {
        QTest::keyClick(tela->List1, k);
        Processar();
    };
    clicar(2);
    EXPECT_EQ(carregado(), p2Carregado);
    clicar(0);
    EXPECT_EQ(carregado(), p2Carregado);
    tecla(Qt::Key_Down);
    EXPECT_EQ(carregado(), p1Carregado);
    tecla(Qt::Key_Up);
    EXPECT_EQ(carregado(), p1Carregado);
    tela->txtCodigoLANCAMENTO->clear();
    clicar(0);
    clicar(2);
    EXPECT_EQ(carregado(), p2Carregado);
    tela->txtCodigoLANCAMENTO->clear();
    clicar(2);
    EXPECT_EQ(carregado(), p2Carregado) << "a click on the current line loads it again";
    tela->Command2->click();
    tela->Command2->setFocus();
    QTest::keyClick(tela->Command2, Qt::Key_Tab);
    Processar();
    ASSERT_TRUE(tela->List1->hasFocus());
    EXPECT_EQ(carregado(), p2Carregado);

    // Changed to a lower-case entry of the afternoon, at another time.
    mensagens.calls.clear();
    DigitarESair(tela->TxtFUNCIONARIO, QStringLiteral("123000"));
    DigitarESair(tela->TxtEntradaSaida, QStringLiteral("e"));
    DigitarESair(tela->txtmanhaTarde, QStringLiteral("t"));
    banco.enviadas().clear();
    tela->Command1->click();
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_EQ(
        banco.enviadas().value(0),
        QStringLiteral("update   MOVIMENTACAO set periodo= 'T', data = '05/12/2026', entradaSaida= 'E', "
                       "HORA = '12:30:00'   WHERE CODIGO = ") +
            QString::number(p2) + QStringLiteral(" "));
    EXPECT_TRUE(
        tela->List1->item(2)->text().contains(QStringLiteral("12:30:00        - E               - T")));
    EXPECT_EQ(auditoria(), 1);

    // Deleting: Cancel keeps the punch and still refreshes; OK deletes it.
    tela->List1->clear();
    mensagens.answer = MsgBoxResult::Cancel;
    tela->Command3->click();
    EXPECT_EQ(mensagens.texts(), (QStringList{"Deseja Excluir o Lançamento?", "Operação Cancelada!"}));
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_EQ(tela->List1->count(), 4);
    mensagens.calls.clear();
    mensagens.answer = MsgBoxResult::Ok;
    banco.enviadas().clear();
    QStringList origens; // while each message is open
    mensagens.onMessage = [&](const MsgBoxCall&) {
        origens << conexaoBanco->origin();
        return MsgBoxResult::Ok;
    };
    tela->Command3->click();
    mensagens.onMessage = {};
    EXPECT_EQ(mensagens.texts(), (QStringList{"Deseja Excluir o Lançamento?", "Excluido com Sucesso!"}));
    EXPECT_EQ(origens, (QStringList{"", ""}));
    EXPECT_EQ(banco.enviadas().value(0),
              QStringLiteral("Delete From  MOVIMENTACAO  WHERE CODIGO = ") + QString::number(p2) + " ");
    EXPECT_EQ(tela->List1->count(), 3);
    EXPECT_EQ(auditoria(), 2);

    // A punch number that is no number deletes nothing, whatever it says.
    for (const QString& errado : {QString(), QStringLiteral("1 or 1=1")}) {
        tela->txtCodigoLANCAMENTO->setText(errado);
        mensagens.calls.clear();
        tela->Command3->click();
        EXPECT_EQ(mensagens.texts(), (QStringList{"Deseja Excluir o Lançamento?", "Erro ao Excluir!"}));
    }
    EXPECT_EQ(pontos(), 3);
    EXPECT_EQ(auditoria(), 2);

    // "Atualizar Horário" gives a night row corrected by hand its real total.
    banco.sql("INSERT INTO horarios(registro, DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, cidade, "
              "totalhoras) VALUES('9', 'SEGUNDA-FEIRA', '2', 'NOITE', '22:00:00', '06:00:00', '__:__:__', "
              "'__:__:__', '00:00:00')");
    mensagens.calls.clear();
    tela->Command4->click();
    EXPECT_EQ(mensagens.texts(), QStringList{"Fim da Operação!"});
    EXPECT_EQ(banco.sql("Select totalhoras from horarios where registro = '9'")["totalhoras"].toString(),
              "08:00:00");
    umaSoTelaDeLancamento();
}

TEST_F(ManutencaoTeste, AlterarConfereOsCamposEMudaOProximoRegistroDoTerminal) {
    ASSERT_EQ(passarCartao(QStringLiteral("7891000079195"), QTime(7, 0, 0)).entradaSaida,
              QStringLiteral("E"));
    const qint64 entrada = ultimo();
    auto* tela = abrir<frm_manutHorario>();
    tela->txtCodigoLANCAMENTO->setText(QString::number(entrada));
    DigitarESair(tela->txtCodigoLANCAMENTO, QString::number(entrada));
    ASSERT_EQ(tela->TxtEntradaSaida->text(), QStringLiteral("E"));

    const auto alterar = [&](QLineEdit* campo, const QString& texto) {
        const QString antes = campo->text();
        campo->setText(texto);
        mensagens.calls.clear();
        tela->Command1->click();
        campo->setText(antes);
        return mensagens.texts();
    };
    EXPECT_EQ(alterar(tela->TxtEntradaSaida, "X"),
              QStringList{"Digite Caracter Valido Para Entrada ou Saida!"});
    EXPECT_EQ(alterar(tela->txtmanhaTarde, "1"), QStringList{"Digite Caracter Valido Para Manha ou Tarde!"});
    EXPECT_EQ(alterar(tela->txtData, "31/02/2026"), QStringList{"Data Invalida!"});
    EXPECT_EQ(alterar(tela->TxtFUNCIONARIO, "25:00:00"), QStringList{"Horario Invalido!"});
    EXPECT_TRUE(alterar(tela->txtCodigoLANCAMENTO, "x").isEmpty());
    EXPECT_EQ(auditoria(), 0);

    // From entry to exit: the next swipe, past the ten minutes, is an entry.
    tela->TxtEntradaSaida->setText(QStringLiteral("S"));
    tela->txtDataLocacao->setText(QStringLiteral("01/12/2026"));
    tela->TxtCodF->setText(QString::number(ana));
    tela->Command1->click();
    EXPECT_TRUE(mensagens.calls.isEmpty()) << mensagens.texts().join('|').toStdString();
    EXPECT_EQ(passarCartao(QStringLiteral("7891000079195"), QTime(7, 30, 0)).entradaSaida,
              QStringLiteral("E"));
    // One row for the change, none for either swipe.
    EXPECT_EQ(auditoria(), 1);
}

TEST_F(ManutencaoTeste, ZeroAbreAConsultaQueDevolveONumero) {
    auto* tela = abrir<frm_manutHorario>();
    DigitarESair(tela->TxtCodF, QStringLiteral("0"));
    EXPECT_TRUE(tela->TxtCodF->text().isEmpty());
    frm_consultarFuncionarios* consulta = aberta<frm_consultarFuncionarios>();
    ASSERT_TRUE(consulta);
    QTest::keyClicks(consulta->txtconsultar, QStringLiteral("BR"));
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Return);
    Processar();
    QTest::keyClick(consulta->DataGrid1, Qt::Key_Return);
    Processar();
    EXPECT_FALSE(aberta<frm_consultarFuncionarios>());
    EXPECT_FALSE(tela->chamouConsulta);
    EXPECT_EQ(tela->TxtCodF->text(), QString::number(bruno));
    ASSERT_TRUE(tela->TxtCodF->hasFocus());
    QTest::keyClick(tela->TxtCodF, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->lblfuncionario->text(), QStringLiteral("BRUNO"));
}
