#include "../reports/DadosRelatorio.h"
#include "ChamadorConsulta.h"
#include "FrmFuncionarios.h"
#include "MDautoNumeracao.h"
#include "MaskedEdit.h"
#include "MdConsultaHComb.h"
#include "MdTabelaComb.h"
#include "RecordsetModel.h"
#include "TelaTeste.h"
#include "frmFeriados.h"
#include "frmHorCombinado.h"
#include "frmTabelaHoras.h"
#include "frm_consultarFuncionarios.h"
#include "horas.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

qint64 ana, beatriz, carlos, davila, semHorario;
const QString kGrade = u"08:00:00 - 12:00:00 - 13:00:00 - 17:00:00"_s;

QString Textos(std::initializer_list<QLineEdit*> campos, QChar separador = u'|') {
    QStringList textos;
    for (QLineEdit* campo : campos)
        textos << campo->text();
    return textos.join(separador);
}

// A screen that calls the lookup, in its place of the order.
class Chamador : public ChildScreen, public ChamadorConsulta {
public:
    Chamador(QMdiArea& area, Ordem ordem, Valor valor = Valor::Codigo)
        : ChamadorConsulta(ordem, valor)
        , campo(new QLineEdit(this)) {
        showIn(&area);
    }
    QLineEdit* campoConsulta() const override { return campo; }
    QLineEdit* campo;
};

QString Linha(const QString& a, const QString& b, const QString& c, const QString& d, const QString& e) {
    return a.leftJustified(10) + ' ' + b.leftJustified(10) + ' ' + c.leftJustified(15) + ' ' +
           d.leftJustified(15) + ' ' + e.leftJustified(50);
}

class CadastrosTeste : public TesteDeTela {
protected:
    CadastrosTeste()
        : TesteDeTela(u"cadastros"_s, [](BancoTeste& b) {
            for (int dia = 2; dia <= 6; ++dia)
                Horario(b, "10", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
            Horario(b, "3", 2, "22:00:00", "06:00:00", "__:__:__", "__:__:__", "08:00:00");
            ana = b.funcionario("ANA", "7891000079195", "10");
            b.sql("update funcionarios set tele = '(19) 3232-0000', endereco = 'RUA A', cidade = 'CAMPINAS', "
                  "estado = 'SP', Aniversario = '05/12/1990', DataAdmissao = '02/01/2020', VALORHORA = "
                  "'12,50'");
            beatriz = b.funcionario("BEATRIZ DE OLIVEIRA", "7891000158388", "10");
            carlos = b.funcionario("CARLOS", "7891000237571", "3");
            semHorario = b.funcionario("SEM HORARIO", "0000000000077", "999");
            davila = b.funcionario("D''AVILA", "7891000316764");
            Feriado(b, "NATAL", "25", "12", "");
            Feriado(b, "CARNAVAL", "17", "02", "2026");
        }) {}
    // Saves; the statements sent, and the fresh screen that takes the saved one's place.
    template <typename Tela> QStringList gravar(QPointer<Tela>& tela) {
        const QMdiArea& onde = *tela->subWindow()->mdiArea();
        banco.enviadas().clear();
        tela->btGravar->click();
        Processar();
        tela = TelaAberta<Tela>(onde);
        EXPECT_TRUE(tela);
        return banco.enviadas();
    }
    static void digitar(std::initializer_list<QWidget*> campos, const QStringList& textos) {
        for (int i = 0; QWidget * campo : campos)
            DigitarESair(campo, textos[i++]);
    }
    static QString textos(const FrmFuncionarios* t) {
        return Textos({t->TXTVELTO, t->TxtFUNCIONARIO, t->TXTTELE, t->TxtENDERECO, t->TXTCIDADE, t->TXTESTADO,
                       t->txtData, t->TXTDATAADMISSAO, t->TXTCODH, t->TXTHORARIO, t->TXTVALOR});
    }
    // The user picks a weekday from the list with the mouse; the messages it gave.
    QStringList escolherDia(frmTabelaHoras* tela, const QString& nome) {
        mensagens.calls.clear();
        tela->txtDiaSemana->setFocus();
        Processar();
        const int i = tela->txtDiaSemana->findText(nome);
        tela->txtDiaSemana->setCurrentIndex(i);
        emit tela->txtDiaSemana->activated(i);
        Processar();
        return mensagens.texts();
    }
    // The four times, the total and the weekday's number; the weekly totals and the description.
    static QString horas(const frmTabelaHoras* t) {
        return Textos(
            {t->TxtFUNCIONARIO, t->TXTTELE, t->TxtENDERECO, t->TXTCIDADE, t->TXTTOTALHORAS, t->txtcodhora},
            u' ');
    }
    static QString semana(const frmTabelaHoras* t) {
        return Textos({t->txtHporS, t->txtMporS, t->txtdescricao}, u' ');
    }
    frm_consultarFuncionarios* consultar(Chamador& quem) {
        auto* consulta = frm_consultarFuncionarios::Abrir(quem, quem);
        Processar();
        return consulta;
    }
    static QStringList grade(const frm_consultarFuncionarios& consulta) {
        QStringList texto;
        auto* modelo = static_cast<RecordsetModel*>(consulta.DataGrid1->model());
        EXPECT_EQ(modelo->headerData(0, Qt::Horizontal).toString() + ' ' +
                      modelo->headerData(1, Qt::Horizontal).toString(),
                  u"Código NOME"_s); // through every new result set
        for (int r = 0; r < modelo->rowCount(); ++r)
            texto << modelo->text(r, 0) + ' ' + modelo->text(r, 1);
        return texto;
    }
    static QString l(qint64 codigo, const char* nome) { return QString::number(codigo) + ' ' + nome; }
};

} // namespace

TEST_F(CadastrosTeste, TabelaDeHorasSeusTotaisEFeriados) {
    QPointer<frmTabelaHoras> tela = abrir<frmTabelaHoras>();
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"forneca um codigo Para o Cadastro das Horas!"});
    EXPECT_TRUE(banco.enviadas().contains(u"sELECT REGISTRO FROM horarios GROUP BY REGISTRO"_s));
    EXPECT_EQ(escolherDia(tela, "SABADO"), QStringList{"Informar o codigo do Horario!"});
    EXPECT_EQ(mensagens.calls.value(0).title, u"sis-Velto"_s);
    DigitarESair(tela->TXTVELTO, "1'0");
    EXPECT_TRUE(banco.enviadas().contains(u"sELECT * FROM FUNCIONARIOS WHERE CODHORA = '10'"_s));
    EXPECT_EQ(Itens(tela->List1).value(0), QString::number(ana).leftJustified(15) + ' ' +
                                               u"ANA"_s.leftJustified(50) + u" (19) 3232-0000 "_s);
    // The totals are display-only; the weekday list discards keys (SABADO, chosen at the start).
    QTest::keyClicks(tela->txtHporS, "12");
    QTest::keyClick(tela->txtDiaSemana, Qt::Key_Down);
    QTest::keyClicks(tela->txtDiaSemana, "S");
    EXPECT_EQ(semana(tela) + tela->txtDiaSemana->currentText(), u"40 2400 GRADE 10SABADO"_s);
    banco.sql("update horarios set totalhoras = '01:00:00' where registro = '10' and CODHORA = '3'");
    escolherDia(tela, "TERCA-FEIRA");
    EXPECT_EQ(horas(tela), u"08:00:00 12:00:00 13:00:00 17:00:00 08:00:00 3"_s); // total from the times
    // Sunday has no row: Cancel empties the times; with nothing on the screen there is no question.
    mensagens.answer = MsgBoxResult::Cancel;
    const QStringList manter{"Horario não Cadastrado. Manter os Dados do Cadastro anterior?"};
    EXPECT_EQ(escolherDia(tela, "DOMINGO"), manter);
    EXPECT_EQ(horas(tela), u"__:__:__ __:__:__ __:__:__ __:__:__ __:__:__ 1"_s);
    EXPECT_EQ(escolherDia(tela, "SABADO"), QStringList{});
    // OK keeps Monday's times for Saturday; a description typed over the schedule's is discarded.
    escolherDia(tela, "SEGUNDA-FEIRA");
    mensagens.answer = MsgBoxResult::Ok;
    EXPECT_EQ(escolherDia(tela, "SABADO"), manter);
    DigitarESair(tela->txtdescricao, "outra");
    DigitarESair(tela->TXTCIDADE, "150000");
    EXPECT_EQ(horas(tela), u"08:00:00 12:00:00 13:00:00 15:00:00 06:00:00 7"_s);
    EXPECT_EQ(
        gravar(tela).mid(0, 4),
        (QStringList{"sELECT * FROM horarios WHERE REGISTRO = '10'",
                     "UPDATE horarios SET DESCRICAO = 'GRADE 10' WHERE REGISTRO = '10' ",
                     "sELECT * FROM horarios WHERE REGISTRO = '10' and DiaSemana = 'SABADO' ",
                     "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,"
                     "totalhoras) VALUES( '08:00:00','12:00:00','13:00:00', '15:00:00', '10','SABADO' ,"
                     "'GRADE 10','7' ,'06:00:00')"}));
    EXPECT_EQ(semana(tela), u"39 2340 GRADE 10"_s);

    // A new schedule code takes the typed description, in upper case, with its apostrophe.
    DigitarESair(tela->TXTVELTO, "20");
    EXPECT_EQ(semana(tela), u"0 0 "_s);
    DigitarESair(tela->txtdescricao, "noite d'agua");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Forneca um Dia da Semana!"});
    escolherDia(tela, "SEXTA-FEIRA");
    digitar({tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO, tela->TXTCIDADE},
            {"22", "060000", "250000", ""});
    // Partly typed counts as unfilled.
    EXPECT_EQ(horas(tela), u"22:__:__ 06:00:00 25:00:00 __:__:__ 00:00:00 6"_s);
    banco.enviadas().clear();
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Horario Invalido!"});
    DigitarESair(tela->TxtFUNCIONARIO, "220000");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Horario Invalido!"});
    EXPECT_EQ(banco.enviadas(), QStringList{});
    tela->TxtENDERECO->setText(QString());
    EXPECT_TRUE(gravar(tela).contains(
        "INSERT INTO horarios(nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,totalhoras) "
        "VALUES( '22:00:00','06:00:00','__:__:__', '__:__:__', '20','SEXTA-FEIRA' ,'NOITE D''AGUA','6' "
        ",'08:00:00')"));
    EXPECT_EQ(semana(tela), u"8 480 NOITE D'AGUA"_s);
    EXPECT_EQ(Itens(tela->TXTVELTO), (QStringList{"10", "20", "3"}));
    // The same weekday again: its row is updated, the description left alone.
    escolherDia(tela, "SEXTA-FEIRA");
    digitar({tela->TXTTELE, tela->TxtENDERECO, tela->TXTCIDADE}, {"070000", "083000", "093000"});
    EXPECT_EQ(horas(tela), u"22:00:00 07:00:00 08:30:00 09:30:00 10:00:00 6"_s);
    EXPECT_EQ(
        gravar(tela).mid(0, 4),
        (QStringList{
            "sELECT * FROM horarios WHERE REGISTRO = '20'",
            "UPDATE horarios SET DESCRICAO = 'NOITE D''AGUA' WHERE REGISTRO = '20' ",
            "sELECT * FROM horarios WHERE REGISTRO = '20' and DiaSemana = 'SEXTA-FEIRA' ",
            "UPDATE horarios SET nome='22:00:00',tele='07:00:00',endereco='08:30:00',cidade='09:30:00',"
            "CODHORA ='6',totalhoras='10:00:00'  WHERE REGISTRO = '20'  and DiaSemana = 'SEXTA-FEIRA' "}));
    EXPECT_EQ(semana(tela), u"10 600 NOITE D'AGUA"_s);

    const QString v = u"__:__:__"_s;
    // A period counts only with both its times, each a time of day; a total past 24 hours wraps.
    const QString dias[][5] = {{"03:00:00", "06:00:00", "22:00:00", "02:00:00", "07:00:00"},
                               {"00:00:00", "23:00:00", "00:00:00", "02:00:00", "01:00:00"},
                               {"08:00:00", v, "13:00:00", "17:30:15", "04:30:15"},
                               {"", "12:61:00", "8:00:00", "18:00:00", "00:00:00"}};
    for (const auto& d : dias)
        EXPECT_EQ(TotalDiaHorario(d[0], d[1], d[2], d[3]), d[4]) << d[0].toStdString() << d[2].toStdString();
    // Rows corrected by hand: a total that is no time adds nothing to the week.
    Horario(banco, "5", 2, "08:00:00", "12:00:00", "13:00:00", "17:30:00", "08:30:00");
    Horario(banco, "5", 3, "22:00:00", "06:00:00", v, v, "");
    Horario(banco, "5", 4, "25:00:00", "12:00:00", "13:00:00", "14:00:00", "25:00:00");
    Horario(banco, "5", 5, "", "12:00:00", "13:00:00", "15:00:00", "abc");
    const auto soma = somarHorasSemana("5");
    EXPECT_EQ(soma.horas + ' ' + soma.minutos, u"8,5 510"_s);
    banco.enviadas().clear();
    atualizarTotaisHorarios();
    EXPECT_EQ(banco.enviadas().first(), u"sELECT REGISTRO FROM horarios group by REGISTRO"_s);
    EXPECT_TRUE(banco.enviadas().contains(
        u"UPDATE horarios SET totalhoras='08:00:00'  WHERE REGISTRO = '5'  and DiaSemana = 'TERCA-FEIRA' "_s));

    QPointer<frmFeriados> fer = abrir<frmFeriados>();
    const auto campos = [&] {
        return Textos({fer->txtcodigo, fer->TxtFUNCIONARIO, fer->txtdia, fer->txtmes, fer->txtano});
    };
    DigitarESair(fer->txtcodigo, "2");
    EXPECT_EQ(campos(), u"2|CARNAVAL|17|02|2026"_s);
    EXPECT_EQ(banco.enviadas().last(), u"sELECT * FROM feriados WHERE codigo = 2"_s);
    DigitarESair(fer->txtcodigo, "9");
    EXPECT_EQ(campos(), u"9||||"_s);
    DigitarESair(fer->txtcodigo, "1");
    DigitarESair(fer->txtcodigo, "x'");
    EXPECT_EQ(campos(), u"x||||"_s);
    digitar({fer->txtcodigo, fer->TxtFUNCIONARIO}, {"1", "NATAL D'OURO"});
    EXPECT_EQ(gravar(fer).mid(0, 2),
              (QStringList{"sELECT * FROM feriados WHERE codigo = 1 ",
                           "UPDATE feriados SET feriado='NATAL D''OURO',DIA='25', MES = '12', ANO = '' WHERE "
                           "CODIGO = 1 "}));
    EXPECT_EQ(campos(), u"||||"_s); // a fresh, empty screen
    // An unknown code inserts under the database's next number; so does an empty one.
    digitar({fer->txtcodigo, fer->TxtFUNCIONARIO, fer->txtdia, fer->txtmes}, {"77", "SAO JOAO", "24", "06"});
    EXPECT_EQ(gravar(fer).mid(0, 2),
              (QStringList{"sELECT * FROM feriados WHERE codigo = 77 ",
                           "INSERT INTO feriados(feriado,dia,mes,ano) VALUES( 'SAO JOAO','24' ,'06','')"}));
    digitar({fer->TxtFUNCIONARIO, fer->txtdia, fer->txtmes, fer->txtano}, {"PONTE", "21", "4", "2027"});
    gravar(fer);
    EXPECT_EQ(banco.linhas("select codigo, feriado, dia, mes, ano from feriados order by codigo"),
              (QStringList{"1|NATAL D'OURO|25|12|", "2|CARNAVAL|17|02|2026", "3|SAO JOAO|24|06|",
                           "4|PONTE|21|4|2027"}));
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(CadastrosTeste, FuncionarioGravadoAtualizadoRecusadoCarregadoEExcluido) {
    QPointer<FrmFuncionarios> tela = abrir<FrmFuncionarios>();
    DigitarESair(tela->TXTVELTO, "4'56");
    digitar({tela->TxtFUNCIONARIO, tela->TXTTELE, tela->TxtENDERECO, tela->TXTCIDADE, tela->TXTESTADO,
             tela->txtData, tela->TXTDATAADMISSAO, tela->TXTCODH, tela->TXTVALOR},
            {"JOANA D'ARC", "(19) 3'2", "RUA D'AJUDA, 5", "SANTA BARBARA D'OESTE", "S'P", "01031985",
             "15062021", "1'0", "1.234,50"});
    EXPECT_EQ(gravar(tela).value(1),
              u"INSERT INTO FUNCIONARIOS(nome,tele,endereco,cidade,estado,Aniversario,registro,"
              "DataAdmissao,CODHORA,VALORHORA) VALUES( 'JOANA D''ARC','(19) 3''2','RUA D''AJUDA, 5', "
              "'SANTA BARBARA D''OESTE','S''P', '01/03/1985', '0000000000456','15/06/2021','10',"
              "'1.234,50' )"_s);
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_EQ(textos(tela), u"||||||__/__/____|__/__/____|||"_s);
    // Loaded and saved again: the row is updated, an unfilled date and an empty amount leave nothing.
    DigitarESair(tela->TXTVELTO, "456");
    tela->txtData->setText(QString());
    tela->TXTVALOR->clear();
    EXPECT_EQ(gravar(tela).value(1),
              u"UPDATE FUNCIONARIOS SET nome='JOANA D''ARC',tele='(19) 3''2',endereco='RUA D''AJUDA, 5',"
              "cidade='SANTA BARBARA D''OESTE',estado='S''P',Aniversario='',registro='0000000000456',"
              "DataAdmissao='15/06/2021', CODHORA='10' ,VALORHORA= ''  WHERE REGISTRO = "
              "'0000000000456'"_s);
    EXPECT_EQ(
        banco.linhas("select nome, tele, endereco, cidade, estado, Aniversario, registro, DataAdmissao, "
                     "CODHORA, VALORHORA from funcionarios where registro = '0000000000456'"),
        QStringList{"JOANA D'ARC|(19) 3'2|RUA D'AJUDA, 5|SANTA BARBARA D'OESTE|"
                    "S'P||0000000000456|15/06/2021|10|null"});

    // Saved without leaving the field, as typed: twelve characters.
    tela->TXTVELTO->setFocus();
    QTest::keyClicks(tela->TXTVELTO, "789100007919");
    banco.enviadas().clear();
    tela->TXTVALOR->setText("abc");
    tela->txtData->setText("31022020");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"CODIGO DEVE CONTER 13 DIGITOS!"});
    tela->TXTVELTO->setText("7891000079195");
    for (const char* valor : {"abc", "12,5,0", "-3", "1.23,50", "1234.567", "1.2345", "1,2,3"}) {
        tela->TXTVALOR->setText(QString::fromLatin1(valor));
        EXPECT_EQ(clicar(tela->btGravar), QStringList{"Valor Invalido!"}) << valor;
    }
    tela->TXTVALOR->setText("12.50");
    tela->txtData->setText("31022020");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Data Invalida!"});
    tela->txtData->setText(QString());
    tela->TXTDATAADMISSAO->setText("00002020");
    EXPECT_EQ(clicar(tela->btGravar), QStringList{"Data Invalida!"});
    for (const QString& enviada : banco.enviadas())
        EXPECT_TRUE(enviada.startsWith(u"sELECT"_s)) << enviada.toStdString();
    // Dots group thousands, or one dot before one or two digits is the decimal point.
    for (const char* caso : {"1.234 1234", "1.234.567 1234567", "1.234,50 1234,5", "12.5 12,5", "1.23 1,23",
                             "12.345 12345", "12.50 12,5"}) {
        DigitarESair(tela->TXTVELTO, "7891000079195");
        tela->TXTVALOR->setText(QString::fromLatin1(caso).section(' ', 0, 0));
        gravar(tela);
        DigitarESair(tela->TXTVELTO, "7891000079195");
        EXPECT_EQ(tela->TXTVALOR->text(), QString::fromLatin1(caso).section(' ', 1)) << caso;
    }

    DigitarESair(tela->TXTVELTO, "7891000079195");
    EXPECT_EQ(textos(tela), "7891000079195|ANA|(19) 3232-0000|RUA A|CAMPINAS|SP|05/12/1990|02/01/2020|10|" +
                                kGrade + "|12,5");
    // Unknown: the fields empty, the schedule code stays; the code is padded on the left.
    DigitarESair(tela->TXTVELTO, "12'3");
    EXPECT_EQ(textos(tela), u"0000000000123||||||__/__/____|__/__/____|10||"_s);
    DigitarESair(tela->TXTVELTO, "");
    EXPECT_EQ(banco.enviadas().last(), u"sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '0000000000000'"_s);
    // A schedule code without rows: empty display, his own code (a save must not move him).
    DigitarESair(tela->TXTVELTO, "77");
    EXPECT_EQ(textos(tela), u"0000000000077|SEM HORARIO|||||__/__/____|__/__/____|999||"_s);
    DigitarESair(tela->TXTCODH, "1'0");
    EXPECT_EQ(tela->TXTCODH->text() + ' ' + tela->TXTHORARIO->text(), "10 " + kGrade);
    // "0" opens the lookup, which hands the card code back; leaving the field loads him.
    DigitarESair(tela->TXTVELTO, "0");
    ASSERT_TRUE(aberta<frm_consultarFuncionarios>());
    EscolherNaConsulta(aberta<frm_consultarFuncionarios>()); // ANA, the first row
    QTest::keyClick(tela->TXTVELTO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->TxtFUNCIONARIO->text() + ' ' + tela->TXTHORARIO->text(), "ANA " + kGrade);
    mensagens.answer = MsgBoxResult::Cancel;
    banco.enviadas().clear();
    EXPECT_EQ(clicar(tela->Command2), QStringList{"EXCLUIR cliente e Movimentação?"});
    EXPECT_TRUE(banco.enviadas().isEmpty());
    mensagens.answer = MsgBoxResult::Ok;
    EXPECT_EQ(clicar(tela->Command2), (QStringList{"EXCLUIR cliente e Movimentação?",
                                                   "Excluido Funcionario e Movimento com sucesso!"}));
    const QString n = QString::number(ana);
    EXPECT_EQ(banco.enviadas(), (QStringList{"sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '7891000079195'",
                                             "Delete from movimentacao where funcionario = " + n,
                                             "Delete from FUNCIONARIOS where codigo = " + n}));
    EXPECT_EQ(clicar(tela->Command2), QStringList{"EXCLUIR cliente e Movimentação?"});
}

TEST_F(CadastrosTeste, CombinadoEConsultaQueServeOPrimeiroChamadorBuscaPeloNomeERecusaUmExcluido) {
    const auto buscar = [](QString f, QString d) {
        QString h = u"h"_s, o = u"o"_s;
        consultarHoraCombinada(f, d, h, o);
        return QStringList{f, d, h, o}.join('|');
    };
    banco.sql(u"DROP TABLE IF EXISTS HoraCombinada"_s); // a server's database is made with it
    EXPECT_EQ(buscar("3", "05/12/2026"),
              u"3|05/12/2026|h|o"_s); // no table yet: the caller's values stay
    QPointer<frmHorCombinado> tela = abrir<frmHorCombinado>();
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Campo Combinado!"});
    tela->TXTcombinado->setEditText(u"1"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Data invalida!"});
    DigitarESair(tela->txtData, u"05122026"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Hora invalida!"});
    DigitarESair(tela->txtHoras, u"040000"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Funcionário!"});
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"999"_s);
    EXPECT_EQ(clicar(tela->Command1), QStringList{"Informar o Funcionário!"});

    DigitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    DigitarESair(tela->txtObser, u"D'Avila cobre"_s);
    banco.enviadas().clear();
    EXPECT_TRUE(clicar(tela->Command1).isEmpty());
    EXPECT_EQ(banco.enviadas().value(2),
              u"INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 1, "
              "'%1','05/12/2026','04:00:00','D''Avila cobre','1' )"_s.arg(ana));
    // The fields stay: another day needs only the date; any number is stored, numbered after the largest.
    banco.sql(u"INSERT INTO HoraCombinada VALUES(7, 99, '06/12/2026', '__:__:__', 'folga', '2')"_s);
    DigitarESair(tela->txtData, u"06122026"_s);
    tela->TXTcombinado->setEditText(u"7"_s);
    clicar(tela->Command1);
    // Another PC takes the next number between the reading and the insert: this one takes the one after.
    const auto outroPc = Connection::Open(kStringConexao);
    const Connection::Observer observador = conexaoBanco->observer();
    conexaoBanco->setObserver([&](const QString& sql) {
        if (sql.startsWith(u"INSERT INTO HoraCombinada"_s) && sql.contains(u"VALUES( 9,"_s))
            outroPc->Execute(
                u"INSERT INTO HoraCombinada VALUES(9, 99, '07/12/2026', '01:00:00', 'x', '1')"_s);
        observador(sql);
    });
    DigitarESair(tela->txtData, u"08122026"_s);
    EXPECT_TRUE(clicar(tela->Command1).isEmpty());
    conexaoBanco->setObserver(observador);
    const QStringList lista = Itens(tela->List1);
    EXPECT_EQ(lista, (QStringList{Linha("CODIGO", "COMBINADO", "DATA", "HORA", "OBSERVACAO"),
                                  Linha("1", "TRABALHAR", "05/12/2026", "04:00:00", "D'Avila cobre"),
                                  Linha("8", "FOLGA", "06/12/2026", "04:00:00", "D'Avila cobre"),
                                  Linha("10", "FOLGA", "08/12/2026", "04:00:00", "D'Avila cobre")}));
    EXPECT_EQ(buscar(QString::number(ana), "07/12/2026"), u"|||"_s); // no agreement that day
    // Past the largest signed 32-bit number there is none to give.
    banco.sql(u"INSERT INTO HoraCombinada VALUES(2147483647, 4, '05/12/2026', '04:00:00', 'x', '1')"_s);
    try {
        proximoCodigoHoraCombinada();
        ADD_FAILURE() << "deu um número";
    } catch (const std::overflow_error& e) {
        EXPECT_STREQ(e.what(), "Não há mais números livres para horários combinados.");
    }

    criarTabelaHoraCombinada(); // as each screen does: the table exists already
    // The card is looked up without its spaces.
    DigitarESair(tela->txtcartao, u"78910 00158388"_s);
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text() + ' ' + tela->TXTNOME->text(),
              QString::number(beatriz) + " BEATRIZ DE OLIVEIRA");
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"0"_s);
    ASSERT_TRUE(aberta<frm_consultarFuncionarios>());
    EscolherNaConsulta(aberta<frm_consultarFuncionarios>(), u"AN"_s);
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(ana));
    banco.enviadas().clear();
    QTest::keyClick(tela->TXTCODIGOFUNCIONARIO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(
        banco.enviadas().last(),
        u"select codigo,combinado,data,horas,obs from HoraCombinada where funcionario='%1' "_s.arg(ana));
    EXPECT_EQ(Itens(tela->List1), lista);
    // Not a number: the name stays, the list is looked for all the same.
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"x"_s);
    EXPECT_EQ(tela->TXTNOME->text() + ' ' + QString::number(tela->List1->count()), u"ANA 1"_s);

    // Opened in the other order than the lookup serves them.
    Chamador* registro =
        new Chamador(area, ChamadorConsulta::Ordem::Funcionarios, ChamadorConsulta::Valor::Registro);
    Chamador* combinado = new Chamador(area, ChamadorConsulta::Ordem::HorCombinado);
    registro->chamouConsulta = true;
    QPointer<frm_consultarFuncionarios> consulta = consultar(*combinado);
    consulta->DataGrid1->setCurrentIndex(consulta->DataGrid1->model()->index(1, 0)); // BEATRIZ, after ANA
    consulta->DataGrid1->setFocus();
    QTest::keyClick(consulta->DataGrid1, Qt::Key_Return);
    Processar();
    EXPECT_EQ(combinado->campo->text() + '|' + registro->campo->text(), QString::number(beatriz) + '|');
    EscolherNaConsulta(consultar(*registro)); // ANA, the first row
    EXPECT_EQ(registro->campo->text(), u"7891000079195"_s);
    // Closed by Esc, it delivers nothing later: another lookup serves none of its callers.
    Chamador* relatorios = new Chamador(area, ChamadorConsulta::Ordem::Relatorios);
    consulta = consultar(*relatorios);
    combinado->chamouConsulta = true;
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Escape);
    Processar();
    EscolherNaConsulta(abrir<frm_consultarFuncionarios>());
    EXPECT_EQ(relatorios->campo->text() + combinado->campo->text(), QString::number(beatriz));

    consulta = consultar(*relatorios);
    EXPECT_EQ(banco.enviadas().last(), u"select CODIGO,NOME  from FUNCIONARIOS  ORDER BY NOME"_s);
    const QStringList todos{l(ana, "ANA"), l(beatriz, "BEATRIZ DE OLIVEIRA"), l(carlos, "CARLOS"),
                            l(davila, "D'AVILA"), l(semHorario, "SEM HORARIO")};
    // An apostrophe searched for as typed; a pasted text cut to 60 characters, a pattern the engine takes.
    const std::tuple<QString, QString, QStringList> buscas[] = {
        {u"A"_s, u"A"_s, {l(ana, "ANA")}},
        {u"D'A"_s, u"D''A"_s, {l(davila, "D'AVILA")}},
        {"%" + QString(50000, 'A'), "%" + QString(59, 'A'), {}},
        {QString(), QString(), todos}};
    for (const auto& [busca, padrao, esperadas] : buscas) {
        consulta->txtconsultar->clear();
        consulta->txtconsultar->insert(busca);
        EXPECT_EQ(grade(*consulta), esperadas) << busca.left(5).toStdString();
        EXPECT_EQ(banco.enviadas().last(),
                  "Select CODIGO,NOME from FUNCIONARIOS where NOME like '" + padrao + "%'   ORDER BY NOME");
    }
    // Deleted while listed: the caller still waits.
    banco.sql("delete from funcionarios where codigo = " + QString::number(ana));
    banco.enviadas().clear();
    EscolherNaConsulta(consulta.data()); // ANA, the first row
    EXPECT_EQ(banco.enviadas().first(), "Select * from FUNCIONARIOS where CODIGO = " + QString::number(ana));
    EXPECT_EQ(mensagens.texts(), QStringList{"Selecione um nome válido"});
    ASSERT_TRUE(consulta);
    EXPECT_EQ(grade(*consulta), todos.mid(1));
    EXPECT_TRUE(relatorios->campo->text().isEmpty());
    QTest::keyClicks(consulta->txtconsultar, u"BEA"_s);
    banco.sql("delete from funcionarios where codigo = " + QString::number(beatriz));
    EscolherNaConsulta(consulta.data());
    EXPECT_EQ(mensagens.calls.size(), 2);
    EXPECT_TRUE(consulta->txtconsultar->text().isEmpty());
    EXPECT_EQ(grade(*consulta), todos.mid(2));
}
