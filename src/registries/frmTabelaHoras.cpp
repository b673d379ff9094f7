#include "frmTabelaHoras.h"

#include "CamposCadastro.h"
#include "Conexao.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "Teclado.h"
#include "horas.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct DiaSemana {
    const char* nome;
    const char* numero;
};

// In the order of the list on the screen, with the number written to horarios.CODHORA.
constexpr DiaSemana kDias[] = {{"SEGUNDA-FEIRA", "2"}, {"TERCA-FEIRA", "3"}, {"QUARTA-FEIRA", "4"},
                               {"QUINTA-FEIRA", "5"},  {"SEXTA-FEIRA", "6"}, {"SABADO", "7"},
                               {"DOMINGO", "1"}};

QString NumeroDoDia(const QString& nome) {
    for (const DiaSemana& d : kDias) {
        if (nome == QLatin1String(d.nome))
            return QString::fromLatin1(d.numero);
    }
    return {};
}

const QString kHoraVazia = QStringLiteral("__:__:__");

template <typename W> W* Nomear(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

MaskedEdit* CampoHora(QWidget* pai, const char* nome) {
    auto* campo = Nomear(new MaskedEdit(QStringLiteral("##:##:##"), pai), nome);
    // Wide enough for the prompt characters too, which are wider than digits in some fonts.
    const QFontMetrics metricas = campo->fontMetrics();
    campo->setFixedWidth(std::max(metricas.horizontalAdvance(QStringLiteral("00:00:00")),
                                  metricas.horizontalAdvance(kHoraVazia)) +
                         metricas.horizontalAdvance(QStringLiteral("00")) + 12);
    return campo;
}

// A masked field written as a row gives it: prompt characters off while the text goes in.
void Escrever(MaskedEdit* campo, const QString& texto) {
    campo->setPromptInclude(false);
    campo->setText(texto);
    campo->setPromptInclude(true);
}

// The weekday is chosen with the mouse only: keys and the wheel are discarded, except those the
// screen itself handles (Enter, Esc) and Tab.
class SoMouse : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() != QEvent::KeyPress)
            return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            return true;
        }
    }
};

// A line of the employee list: the value cut or padded to the width.
QString Coluna(const QString& valor, int largura) {
    return valor.left(largura).leftJustified(largura, QLatin1Char(' '));
}

} // namespace

frmTabelaHoras::frmTabelaHoras(QWidget* parent)
    : ChildScreen(parent) {
    setObjectName(QStringLiteral("frmTabelaHoras"));
    setWindowTitle(QStringLiteral("Tabela de Horários"));
    criarControles();

    OnLostFocus(TXTVELTO, [this] { TXTVELTO_LostFocus(); });
    OnLostFocus(txtdescricao, [this] { txtdescricao->setText(txtdescricao->text().toUpper()); });
    connect(txtDiaSemana, &QComboBox::activated, this, &frmTabelaHoras::txtDiaSemana_Click);
    OnLostFocus(txtDiaSemana, [this] { txtDiaSemana_LostFocus(); });
    for (MaskedEdit* hora : {TxtFUNCIONARIO, TXTTELE, TxtENDERECO, TXTCIDADE})
        OnLostFocus(hora, [this] { calcularTotalDia(); });
    OnGotFocus(TXTTOTALHORAS, [this] { calcularTotalDia(); });
    connect(btGravar, &QPushButton::clicked, this, &frmTabelaHoras::btGravar_Click);

    Form_Load();
}

void frmTabelaHoras::criarControles() {
    fraCadastro = Nomear(new QGroupBox(QStringLiteral("Cadastro de Horas"), this), "fraCadastro");
    lblCodigo =
        Nomear(new QLabel(QStringLiteral("Codigo do Grupo HORARIO / Descrição:"), fraCadastro), "lblCodigo");
    TXTVELTO = Nomear(new QComboBox(fraCadastro), "TXTVELTO");
    TXTVELTO->setEditable(true);
    TXTVELTO->setInsertPolicy(QComboBox::NoInsert);
    TXTVELTO->setCompleter(nullptr); // a typed "1" must stay "1", not become a listed "10"
    TXTVELTO->setFixedWidth(TXTVELTO->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('0'))) + 40);
    txtdescricao = Nomear(new QLineEdit(fraCadastro), "txtdescricao");

    fraDiaSemana = Nomear(new QGroupBox(QStringLiteral("DIA DA SEMANA:"), fraCadastro), "fraDiaSemana");
    txtDiaSemana = Nomear(new QComboBox(fraDiaSemana), "txtDiaSemana");
    for (const DiaSemana& d : kDias)
        txtDiaSemana->addItem(QString::fromLatin1(d.nome));
    txtDiaSemana->installEventFilter(new SoMouse(txtDiaSemana));
    txtcodhora = Nomear(new QLineEdit(fraDiaSemana), "txtcodhora");
    txtcodhora->setFixedWidth(txtcodhora->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);

    fraPeriodo1 = Nomear(new QGroupBox(QStringLiteral("1º PERIODO"), fraCadastro), "fraPeriodo1");
    lblEntrada1 = Nomear(new QLabel(QStringLiteral("Horário Entrada.:"), fraPeriodo1), "lblEntrada1");
    TxtFUNCIONARIO = CampoHora(fraPeriodo1, "TxtFUNCIONARIO");
    lblSaida1 = Nomear(new QLabel(QStringLiteral("Horario Saida.:"), fraPeriodo1), "lblSaida1");
    TXTTELE = CampoHora(fraPeriodo1, "TXTTELE");
    fraPeriodo2 = Nomear(new QGroupBox(QStringLiteral("2º PERIODO"), fraCadastro), "fraPeriodo2");
    lblEntrada2 = Nomear(new QLabel(QStringLiteral("Horario Entrada.:"), fraPeriodo2), "lblEntrada2");
    TxtENDERECO = CampoHora(fraPeriodo2, "TxtENDERECO");
    lblSaida2 = Nomear(new QLabel(QStringLiteral("Horario Saida.:"), fraPeriodo2), "lblSaida2");
    TXTCIDADE = CampoHora(fraPeriodo2, "TXTCIDADE");
    lblTotal = Nomear(new QLabel(QStringLiteral("TOTAL DE HORAS.:"), fraCadastro), "lblTotal");
    TXTTOTALHORAS = CampoHora(fraCadastro, "TXTTOTALHORAS");
    lblNota =
        Nomear(new QLabel(QStringLiteral("Formato da hora: 00:00:00 ate 23:00:00"), fraCadastro), "lblNota");
    btGravar = Nomear(new QPushButton(QStringLiteral("Gravar"), fraCadastro), "btGravar");

    lblHporS = Nomear(new QLabel(QStringLiteral("Hrs. Semana:"), this), "lblHporS");
    txtHporS = Nomear(new QLineEdit(this), "txtHporS");
    lblMporS = Nomear(new QLabel(QStringLiteral(" Minutos Por Semana:"), this), "lblMporS");
    txtMporS = Nomear(new QLineEdit(this), "txtMporS");
    for (QLineEdit* total : {txtHporS, txtMporS})
        total->setFixedWidth(total->fontMetrics().horizontalAdvance(QString(10, QLatin1Char('0'))) + 12);
    for (QWidget* exibe : {static_cast<QWidget*>(txtcodhora), static_cast<QWidget*>(TXTTOTALHORAS),
                           static_cast<QWidget*>(txtHporS), static_cast<QWidget*>(txtMporS)})
        MakeDisplayOnly(exibe);

    fraFuncionarios = Nomear(new QGroupBox(QStringLiteral("Lista de Funcionarios que Usam o Horário:"), this),
                             "fraFuncionarios");
    List1 = Nomear(new QListWidget(fraFuncionarios), "List1");
    List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* codigo = new QHBoxLayout;
    codigo->addWidget(TXTVELTO);
    codigo->addWidget(txtdescricao, 1);
    auto* dia = new QHBoxLayout(fraDiaSemana);
    dia->addWidget(txtDiaSemana, 1);
    dia->addWidget(txtcodhora);
    for (auto [quadro, entrada, lblEntrada, saida, lblSaida] :
         {std::tuple{fraPeriodo1, TxtFUNCIONARIO, lblEntrada1, TXTTELE, lblSaida1},
          std::tuple{fraPeriodo2, TxtENDERECO, lblEntrada2, TXTCIDADE, lblSaida2}}) {
        auto* grade = new QGridLayout(quadro);
        grade->addWidget(lblEntrada, 0, 0);
        grade->addWidget(entrada, 0, 1);
        grade->addWidget(lblSaida, 1, 0);
        grade->addWidget(saida, 1, 1);
    }
    auto* periodos = new QHBoxLayout;
    periodos->addWidget(fraPeriodo1);
    periodos->addWidget(fraPeriodo2);
    auto* total = new QHBoxLayout;
    total->addWidget(lblTotal);
    total->addWidget(TXTTOTALHORAS);
    total->addStretch();
    total->addWidget(btGravar);
    auto* cadastro = new QVBoxLayout(fraCadastro);
    cadastro->addWidget(lblCodigo);
    cadastro->addLayout(codigo);
    cadastro->addWidget(fraDiaSemana);
    cadastro->addLayout(periodos);
    cadastro->addLayout(total);
    cadastro->addWidget(lblNota);

    auto* semana = new QHBoxLayout;
    semana->addWidget(lblHporS);
    semana->addWidget(txtHporS);
    semana->addWidget(lblMporS);
    semana->addWidget(txtMporS);
    semana->addStretch();
    auto* funcionarios = new QVBoxLayout(fraFuncionarios);
    funcionarios->addWidget(List1);

    auto* tela = new QVBoxLayout(this);
    tela->addWidget(fraCadastro);
    tela->addLayout(semana);
    tela->addWidget(fraFuncionarios, 1);

    QWidget* ordem[] = {TXTVELTO, txtdescricao, txtDiaSemana, txtcodhora,    TxtFUNCIONARIO,
                        TXTTELE,  TxtENDERECO,  TXTCIDADE,    TXTTOTALHORAS, btGravar,
                        txtHporS, txtMporS,     List1};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    // Room for a whole line of the list: 15 + 1 + 50 + 1 + 15 characters.
    const int linha = List1->fontMetrics().horizontalAdvance(QString(82, QLatin1Char('0')));
    setFixedSize(std::max(640, linha + 80), 600);
}

void frmTabelaHoras::Form_Load() {
    AbrirConexao();
    TXTVELTO->clear();
    txtDiaSemana->setCurrentIndex(-1);
    for (Recordset rs =
             conexaoBanco->Execute(QStringLiteral("sELECT REGISTRO FROM horarios GROUP BY REGISTRO"));
         !rs.Eof(); rs.MoveNext())
        TXTVELTO->addItem(rs[QStringLiteral("REGISTRO")].toString());
    TXTVELTO->setCurrentIndex(-1); // the list starts on no code
    TXTVELTO->setFocus();
}

QString frmTabelaHoras::codigo() const {
    return TXTVELTO->currentText();
}

void frmTabelaHoras::setCodigo(const QString& codigo) {
    TXTVELTO->setEditText(codigo);
}

void frmTabelaHoras::TXTVELTO_LostFocus() {
    setCodigo(SemApostrofos(codigo()));
    buscarValoresCartHors();
}

void frmTabelaHoras::buscarValoresCartHors() {
    const QString cod = codigo();
    if (!EhSoDigitos(cod))
        return;
    // Each step is skipped on an error; the others still run.
    try {
        const Recordset rs = conexaoBanco->Execute(
            QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") + cod + QStringLiteral("'"));
        txtdescricao->setText(rs.Eof() ? QString() : rs[QStringLiteral("DESCRICAO")].toString());
    } catch (const DatabaseError&) {
    }
    try {
        const HorasSemana semana = somarHorasSemana(cod);
        txtHporS->setText(semana.horas);
        txtMporS->setText(semana.minutos);
    } catch (const DatabaseError&) {
    }
    try {
        Recordset rs = conexaoBanco->Execute(QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE CODHORA = '") +
                                             cod + QStringLiteral("'"));
        List1->clear();
        for (; !rs.Eof(); rs.MoveNext())
            List1->addItem(Coluna(rs[QStringLiteral("codigo")].toString(), 15) + QLatin1Char(' ') +
                           Coluna(rs[QStringLiteral("nome")].toString(), 50) + QLatin1Char(' ') +
                           Coluna(rs[QStringLiteral("tele")].toString(), 15));
    } catch (const DatabaseError&) {
    }
}

void frmTabelaHoras::txtDiaSemana_Click() {
    if (!EhSoDigitos(SemApostrofos(codigo()))) {
        MsgBox(QStringLiteral("Informar o codigo do Horario!"), MsgBoxButtons::OkOnly,
               MsgBoxIcon::Information, QStringLiteral("sis-Velto"));
        TXTVELTO->setFocus();
        return;
    }
    setCodigo(SemApostrofos(codigo()));
    const QString dia = txtDiaSemana->currentText();
    const Recordset rs =
        conexaoBanco->Execute(QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") + codigo() +
                              QStringLiteral("' and DiaSemana = '") + dia + QStringLiteral("'"));
    if (!rs.Eof()) {
        CarregarDia(rs);
    } else {
        TxtFUNCIONARIO->setPromptInclude(false);
        const bool preenchido = !TxtFUNCIONARIO->Text().isEmpty();
        TxtFUNCIONARIO->setPromptInclude(true);
        const bool manter =
            preenchido &&
            MsgBox(QStringLiteral("Horario não Cadastrado. Manter os Dados do Cadastro anterior?"),
                   MsgBoxButtons::OkCancel) == MsgBoxResult::Ok;
        if (!manter) {
            for (MaskedEdit* campo : {TxtFUNCIONARIO, TXTTELE, TxtENDERECO, TXTCIDADE, TXTTOTALHORAS})
                Escrever(campo, QString());
        }
    }
    txtcodhora->setText(NumeroDoDia(dia));
}

void frmTabelaHoras::CarregarDia(const Recordset& rs) {
    Escrever(TxtFUNCIONARIO, rs[QStringLiteral("nome")].toString());
    Escrever(TXTTELE, rs[QStringLiteral("tele")].toString());
    Escrever(TxtENDERECO, rs[QStringLiteral("endereco")].toString());
    Escrever(TXTCIDADE, rs[QStringLiteral("cidade")].toString());
    setCodigo(rs[QStringLiteral("registro")].toString());
    txtcodhora->setText(rs[QStringLiteral("codhora")].toString());
    Escrever(TXTTOTALHORAS, rs[QStringLiteral("totalhoras")].toString());
    calcularTotalDia();
}

void frmTabelaHoras::txtDiaSemana_LostFocus() {
    if (const QString numero = NumeroDoDia(txtDiaSemana->currentText()); !numero.isEmpty())
        txtcodhora->setText(numero);
}

void frmTabelaHoras::calcularTotalDia() {
    // A field that holds no time of day yet (partly typed) counts as unfilled: the save refuses it.
    TXTTOTALHORAS->setText(
        TotalDiaHorario(TxtFUNCIONARIO->Text(), TXTTELE->Text(), TxtENDERECO->Text(), TXTCIDADE->Text()));
}

void frmTabelaHoras::btGravar_Click() {
    if (TXTTOTALHORAS->Text().isEmpty()) {
        MsgBox(QStringLiteral(
                   "Total de Horas não apresentado - CLIQUE NO CAMPO TOTAL DE HORAS PARA CALCULAR A HORA!"),
               MsgBoxButtons::OkOnly);
        return;
    }
    setCodigo(SemApostrofos(codigo()));
    if (!EhSoDigitos(codigo())) {
        MsgBox(QStringLiteral("forneca um codigo Para o Cadastro das Horas!"), MsgBoxButtons::OkOnly);
        return;
    }
    const QString dia = txtDiaSemana->currentText();
    if (dia.isEmpty()) {
        MsgBox(QStringLiteral("Forneca um Dia da Semana!"), MsgBoxButtons::OkOnly);
        return;
    }
    if (!HorasValidas())
        return;
    const QString lembrado = codigo();
    calcularTotalDia();
    Gravar(lembrado, dia);

    btGravar->setEnabled(false);
    Aguardar(2, false);

    auto* nova = new frmTabelaHoras;
    replaceWith(nova);
    nova->setCodigo(lembrado);
    nova->TXTVELTO->setFocus();
    nova->buscarValoresCartHors();
}

// Each time field holds a time of day or nothing at all; a partly typed or impossible time is
// refused before anything is written.
bool frmTabelaHoras::HorasValidas() {
    for (MaskedEdit* campo : {TxtFUNCIONARIO, TXTTELE, TxtENDERECO, TXTCIDADE}) {
        const QString hora = campo->Text();
        if (hora == kHoraVazia || SegundosHorario(hora))
            continue;
        MsgBox(QStringLiteral("Horario Invalido!"), MsgBoxButtons::OkOnly);
        campo->setFocus();
        return false;
    }
    return true;
}

void frmTabelaHoras::Gravar(const QString& codigo, const QString& dia) {
    const Recordset horario = conexaoBanco->Execute(
        QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") + codigo + QStringLiteral("'"));
    if (horario.Eof()) {
        txtdescricao->setText(txtdescricao->text().toUpper());
    } else {
        // An existing schedule keeps its description, in every row.
        txtdescricao->setText(horario[QStringLiteral("DESCRICAO")].toString());
        conexaoBanco->Execute(QStringLiteral("UPDATE horarios SET DESCRICAO = '") +
                              TextoSql(txtdescricao->text()) + QStringLiteral("' WHERE REGISTRO = '") +
                              codigo + QStringLiteral("' "));
    }
    const QString descricao = TextoSql(txtdescricao->text());
    const QString e1 = TxtFUNCIONARIO->Text(), s1 = TXTTELE->Text(), e2 = TxtENDERECO->Text(),
                  s2 = TXTCIDADE->Text(), numero = txtcodhora->text(), total = TXTTOTALHORAS->Text();
    const Recordset linha =
        conexaoBanco->Execute(QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") + codigo +
                              QStringLiteral("' and DiaSemana = '") + dia + QStringLiteral("' "));
    if (linha.Eof()) {
        conexaoBanco->Execute(
            QStringLiteral("INSERT INTO horarios(") +
            QStringLiteral("nome,tele,endereco,cidade,registro,DiaSemana,DESCRICAO,CODHORA,totalhoras") +
            QStringLiteral(") VALUES( ") + QLatin1Char('\'') + e1 + QStringLiteral("','") + s1 +
            QStringLiteral("','") + e2 + QStringLiteral("', '") + s2 + QStringLiteral("', '") + codigo +
            QStringLiteral("','") + dia + QStringLiteral("' ,'") + descricao + QStringLiteral("','") +
            TextoSql(numero) + QStringLiteral("' ,'") + total + QLatin1Char('\'') + QStringLiteral(")"));
    } else {
        conexaoBanco->Execute(QStringLiteral("UPDATE horarios SET ") + QStringLiteral("nome='") + e1 +
                              QStringLiteral("',tele='") + s1 + QStringLiteral("',endereco='") + e2 +
                              QStringLiteral("',cidade='") + s2 + QStringLiteral("',CODHORA ='") +
                              TextoSql(numero) + QStringLiteral("',totalhoras='") + total +
                              QStringLiteral("' ") + QStringLiteral(" WHERE REGISTRO = '") + codigo +
                              QStringLiteral("'  and DiaSemana = '") + dia + QStringLiteral("' "));
    }
}
