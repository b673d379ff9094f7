#include "FrmFuncionarios.h"

#include "Amount.h"
#include "CamposCadastro.h"
#include "Conexao.h"
#include "FocusHelpers.h"
#include "Form1_CODBAR.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "frm_consultarFuncionarios.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kDigitosCartao = 13;

template <typename W> W* Nomear(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

// An amount of reais as the driver reads it for VALORHORA (readAmount): what passes here is
// stored as typed, so the save cannot fail on it.
bool EhValor(const QString& texto) {
    return readAmount(texto).has_value();
}

// What a date field sends: its date, or empty text when nothing is typed in it; nullopt for a
// partly typed or impossible date.
std::optional<QString> TextoData(const MaskedEdit* campo) {
    if (campo->ClipText().isEmpty())
        return QString();
    const QString texto = campo->Text();
    if (!QDate::fromString(texto, QStringLiteral("dd/MM/yyyy")).isValid())
        return std::nullopt;
    return texto;
}

// A date column into its field; a null or empty one leaves the field unfilled.
void EscreverData(MaskedEdit* campo, const QString& texto) {
    campo->setPromptInclude(false);
    campo->setText(texto);
    campo->setPromptInclude(true);
}

// The employee and all his punches go together, or neither does. The schedule he used stays:
// other employees share it.
void ExcluirFuncionario(const QString& codigo) {
    // The punches deleted with him go into the record of hand changes.
    const OrigemAlteracao origem(QStringLiteral("FrmFuncionarios"));
    conexaoBanco->BeginTrans();
    try {
        conexaoBanco->Execute(QStringLiteral("Delete from movimentacao where funcionario = ") + codigo);
        conexaoBanco->Execute(QStringLiteral("Delete from FUNCIONARIOS where codigo = ") + codigo);
        conexaoBanco->CommitTrans();
    } catch (...) {
        conexaoBanco->RollbackTrans();
        throw;
    }
}

} // namespace

FrmFuncionarios::FrmFuncionarios(QWidget* parent)
    : ChildScreen(parent)
    , ChamadorConsulta(Ordem::Funcionarios, Valor::Registro) {
    setObjectName(QStringLiteral("FrmFuncionarios"));
    setWindowTitle(QStringLiteral("Cadastro de Funcionarios"));
    criarControles();

    OnLostFocus(TXTVELTO, [this] { TXTVELTO_LostFocus(); });
    OnLostFocus(TXTCODH, [this] { TXTCODH_LostFocus(); });
    connect(btGravar, &QPushButton::clicked, this, &FrmFuncionarios::btGravar_Click);
    connect(CBSAir, &QPushButton::clicked, this, &ChildScreen::unload);
    connect(Command1, &QPushButton::clicked, this, &FrmFuncionarios::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmFuncionarios::Command2_Click);

    Form_Load();
}

QLineEdit* FrmFuncionarios::campoConsulta() const {
    return TXTVELTO;
}

void FrmFuncionarios::criarControles() {
    const auto texto = [this](const char* nome) {
        return Nomear(new QLineEdit(this), nome);
    };
    const auto data = [this](const char* nome) {
        auto* campo = Nomear(new MaskedEdit(QStringLiteral("##/##/####"), this), nome);
        const QFontMetrics metricas = campo->fontMetrics();
        campo->setFixedWidth(std::max(metricas.horizontalAdvance(QStringLiteral("00/00/0000")),
                                      metricas.horizontalAdvance(QStringLiteral("__/__/____"))) +
                             metricas.horizontalAdvance(QStringLiteral("00")) + 12);
        return campo;
    };
    const auto rotulo = [this](const QString& titulo, const char* nome) {
        return Nomear(new QLabel(titulo, this), nome);
    };
    lblRegistro = rotulo(QStringLiteral("Nº REGISTRO VELTO.:"), "lblRegistro");
    TXTVELTO = texto("TXTVELTO");
    TXTVELTO->setMaxLength(kDigitosCartao);
    TXTVELTO->setFixedWidth(TXTVELTO->fontMetrics().horizontalAdvance(QString(15, QLatin1Char('0'))) + 12);
    lblFuncionario = rotulo(QStringLiteral("FUNCIONÁRIO.:"), "lblFuncionario");
    TxtFUNCIONARIO = texto("TxtFUNCIONARIO");
    lblTele = rotulo(QStringLiteral("TELEFONE.:"), "lblTele");
    TXTTELE = texto("TXTTELE");
    lblEndereco = rotulo(QStringLiteral("ENDEREÇO.:"), "lblEndereco");
    TxtENDERECO = texto("TxtENDERECO");
    lblCidade = rotulo(QStringLiteral("CIDADE:"), "lblCidade");
    TXTCIDADE = texto("TXTCIDADE");
    lblEstado = rotulo(QStringLiteral("ESTADO.:"), "lblEstado");
    TXTESTADO = texto("TXTESTADO");
    lblNascimento = rotulo(QStringLiteral("NASCIMENTO.:"), "lblNascimento");
    txtData = data("txtData");
    lblAdmissao = rotulo(QStringLiteral("DATA ADMISSÃO.:"), "lblAdmissao");
    TXTDATAADMISSAO = data("TXTDATAADMISSAO");
    lblHorario = rotulo(QStringLiteral("HORÁRIO DE TRABALHO.:"), "lblHorario");
    TXTCODH = texto("TXTCODH");
    TXTCODH->setFixedWidth(TXTCODH->fontMetrics().horizontalAdvance(QString(8, QLatin1Char('0'))) + 12);
    TXTHORARIO = texto("TXTHORARIO");
    TXTHORARIO->setReadOnly(true); // shows the schedule's times; never saved
    lblValor = rotulo(QStringLiteral("VALOR HORA EXTRA...R$:"), "lblValor");
    TXTVALOR = texto("TXTVALOR");
    TXTVALOR->setFixedWidth(TXTVALOR->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('0'))) + 12);
    lblNota = rotulo(
        QStringLiteral("Atenção: Gravar o Funcionario e chamar na consulta para Imprimir o Código de Barras"),
        "lblNota");
    lblNota->setWordWrap(true);
    btGravar = Nomear(new QPushButton(QStringLiteral("Gravar"), this), "btGravar");
    CBSAir = Nomear(new QPushButton(QStringLiteral("Sair"), this), "CBSAir");
    Command1 = Nomear(new QPushButton(QStringLiteral("Gerar Código"), this), "Command1");
    Command2 =
        Nomear(new QPushButton(QStringLiteral("Excluir\n(Exclui toda Movimentação)"), this), "Command2");

    auto* campos = new QGridLayout;
    int linha = 0;
    const auto adicionar = [&](QLabel* r, QWidget* campo) {
        campos->addWidget(r, linha, 0);
        campos->addWidget(campo, linha++, 1, Qt::AlignLeft);
    };
    adicionar(lblRegistro, TXTVELTO);
    for (auto [r, campo] : {std::pair{lblFuncionario, TxtFUNCIONARIO}, std::pair{lblTele, TXTTELE},
                            std::pair{lblEndereco, TxtENDERECO}, std::pair{lblCidade, TXTCIDADE},
                            std::pair{lblEstado, TXTESTADO}}) {
        campos->addWidget(r, linha, 0);
        campos->addWidget(campo, linha++, 1);
    }
    adicionar(lblNascimento, txtData);
    adicionar(lblAdmissao, TXTDATAADMISSAO);
    auto* horario = new QHBoxLayout;
    horario->addWidget(TXTCODH);
    horario->addWidget(TXTHORARIO, 1);
    campos->addWidget(lblHorario, linha, 0);
    campos->addLayout(horario, linha++, 1);
    adicionar(lblValor, TXTVALOR);

    auto* botoes = new QHBoxLayout;
    for (QPushButton* botao : {btGravar, CBSAir, Command1, Command2}) {
        botao->setMinimumHeight(44);
        botoes->addWidget(botao);
    }
    auto* tela = new QVBoxLayout(this);
    tela->addLayout(campos);
    tela->addWidget(lblNota);
    tela->addLayout(botoes);

    QWidget* ordem[] = {TXTVELTO,  TxtFUNCIONARIO, TXTTELE,         TxtENDERECO, TXTCIDADE,
                        TXTESTADO, txtData,        TXTDATAADMISSAO, TXTCODH,     TXTHORARIO,
                        TXTVALOR,  btGravar,       CBSAir,          Command1,    Command2};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);
    setFixedSize(640, 440);
}

void FrmFuncionarios::Form_Load() {
    AbrirConexao();
    TXTVELTO->setFocus();
}

void FrmFuncionarios::TXTVELTO_LostFocus() {
    if (TXTVELTO->text() == QLatin1String("0")) {
        TXTVELTO->clear();
        frm_consultarFuncionarios::Abrir(*this, *this);
        return;
    }
    // Apostrophes go before the padding, so the code that stays has its thirteen characters.
    const QString registro = SemApostrofos(TXTVELTO->text()).rightJustified(kDigitosCartao, QLatin1Char('0'));
    TXTVELTO->setText(registro);
    const Recordset funcionario = conexaoBanco->Execute(
        QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '") + registro + QStringLiteral("'"));
    if (!funcionario.Eof()) {
        Carregar(funcionario);
        return;
    }
    for (QLineEdit* campo :
         {TxtFUNCIONARIO, TXTVALOR, TXTTELE, TxtENDERECO, TXTCIDADE, TXTESTADO, TXTHORARIO})
        campo->clear();
    EscreverData(txtData, QString());
    EscreverData(TXTDATAADMISSAO, QString());
}

void FrmFuncionarios::Carregar(const Recordset& funcionario) {
    const auto coluna = [&](const char* nome) {
        return funcionario[QString::fromLatin1(nome)].toString();
    };
    TxtFUNCIONARIO->setText(coluna("nome"));
    TXTTELE->setText(coluna("tele"));
    TxtENDERECO->setText(coluna("endereco"));
    TXTCIDADE->setText(coluna("cidade"));
    TXTESTADO->setText(coluna("estado"));
    TXTVALOR->setText(coluna("VALORHORA"));
    EscreverData(txtData, coluna("Aniversario"));
    EscreverData(TXTDATAADMISSAO, coluna("DataAdmissao"));
    TXTVELTO->setText(coluna("registro"));
    const Recordset horario =
        conexaoBanco->Execute(QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") +
                              TextoSql(coluna("CODHORA")) + QStringLiteral("'"));
    // His own schedule code always, also one without rows: a code kept from the employee shown
    // before would move him onto that schedule at the next save.
    TXTCODH->setText(coluna("CODHORA"));
    MostrarHorario(horario);
}

void FrmFuncionarios::TXTCODH_LostFocus() {
    TXTCODH->setText(SemApostrofos(TXTCODH->text()));
    MostrarHorario(conexaoBanco->Execute(QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") +
                                         TXTCODH->text() + QStringLiteral("'")));
}

// The first row's four times, or nothing when the schedule has no row.
void FrmFuncionarios::MostrarHorario(const Recordset& horario) {
    if (horario.Eof()) {
        TXTHORARIO->clear();
        return;
    }
    QStringList horas;
    for (const char* coluna : {"nome", "tele", "endereco", "cidade"})
        horas << horario[QString::fromLatin1(coluna)].toString();
    TXTHORARIO->setText(horas.join(QStringLiteral(" - ")));
}

void FrmFuncionarios::btGravar_Click() {
    TXTVELTO->setText(SemApostrofos(TXTVELTO->text()));
    const QString registro = TXTVELTO->text();
    if (registro.size() < kDigitosCartao) {
        MsgBox(QStringLiteral("CODIGO DEVE CONTER 13 DIGITOS!"), MsgBoxButtons::OkOnly);
        return;
    }
    if (!CamposValidos())
        return;
    Gravar(registro);
    replaceWith(new FrmFuncionarios);
}

// An amount the engine would refuse, or a date that is no date, stops the save before any
// statement.
bool FrmFuncionarios::CamposValidos() {
    if (!TXTVALOR->text().trimmed().isEmpty() && !EhValor(TXTVALOR->text())) {
        MsgBox(QStringLiteral("Valor Invalido!"), MsgBoxButtons::OkOnly);
        TXTVALOR->setFocus();
        return false;
    }
    for (MaskedEdit* campo : {txtData, TXTDATAADMISSAO}) {
        if (!TextoData(campo)) {
            MsgBox(QStringLiteral("Data Invalida!"), MsgBoxButtons::OkOnly);
            campo->setFocus();
            return false;
        }
    }
    return true;
}

void FrmFuncionarios::Gravar(const QString& registro) {
    const QString nome = TextoSql(TxtFUNCIONARIO->text()), tele = TextoSql(TXTTELE->text()),
                  endereco = TextoSql(TxtENDERECO->text()), cidade = TextoSql(TXTCIDADE->text()),
                  estado = TextoSql(TXTESTADO->text()), aniversario = *TextoData(txtData),
                  admissao = *TextoData(TXTDATAADMISSAO), codhora = SemApostrofos(TXTCODH->text()),
                  valor = TXTVALOR->text();
    const Recordset existente = conexaoBanco->Execute(
        QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '") + registro + QStringLiteral("'"));
    if (existente.Eof()) {
        conexaoBanco->Execute(
            QStringLiteral("INSERT INTO FUNCIONARIOS(") +
            QStringLiteral(
                "nome,tele,endereco,cidade,estado,Aniversario,registro,DataAdmissao,CODHORA,VALORHORA") +
            QStringLiteral(") VALUES( ") + QLatin1Char('\'') + nome + QStringLiteral("','") + tele +
            QStringLiteral("','") + endereco + QStringLiteral("', '") + cidade + QStringLiteral("','") +
            estado + QStringLiteral("', '") + aniversario + QStringLiteral("', '") + registro +
            QStringLiteral("','") + admissao + QStringLiteral("','") + codhora + QStringLiteral("','") +
            valor + QStringLiteral("' ") + QStringLiteral(")"));
        return;
    }
    conexaoBanco->Execute(QStringLiteral("UPDATE FUNCIONARIOS SET ") + QStringLiteral("nome='") + nome +
                          QStringLiteral("',tele='") + tele + QStringLiteral("',endereco='") + endereco +
                          QStringLiteral("',cidade='") + cidade + QStringLiteral("',estado='") + estado +
                          QStringLiteral("',Aniversario='") + aniversario + QStringLiteral("',registro='") +
                          registro + QStringLiteral("',DataAdmissao='") + admissao +
                          QStringLiteral("', CODHORA='") + codhora + QStringLiteral("' ,VALORHORA= '") +
                          valor + QStringLiteral("' ") + QStringLiteral(" WHERE REGISTRO = '") + registro +
                          QStringLiteral("'"));
}

// "Gerar Código": the barcode form, which takes the name and card code from this screen.
void FrmFuncionarios::Command1_Click() {
    if (QMdiSubWindow* janela = subWindow())
        Form1_CODBAR::Mostrar(janela->mdiArea(), TxtFUNCIONARIO, TXTVELTO);
}

void FrmFuncionarios::Command2_Click() {
    if (MsgBox(QStringLiteral("EXCLUIR cliente e Movimentação?"), MsgBoxButtons::OkCancel) !=
        MsgBoxResult::Ok)
        return;
    const Recordset funcionario =
        conexaoBanco->Execute(QStringLiteral("sELECT * FROM FUNCIONARIOS WHERE REGISTRO = '") +
                              SemApostrofos(TXTVELTO->text()) + QStringLiteral("'"));
    if (funcionario.Eof())
        return;
    ExcluirFuncionario(funcionario[QStringLiteral("codigo")].toString());
    MsgBox(QStringLiteral("Excluido Funcionario e Movimento com sucesso!"), MsgBoxButtons::OkOnly);
}
