#include "frmVelto.h"

#include "Clock.h"
#include "Conexao.h"
#include "DatabaseError.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "Pendentes.h"
#include "RegistrarPonto.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QThread>
#include <QVBoxLayout>

namespace {

QFont Fonte(const char* familia, int pontos, bool negrito = false) {
    QFont f(QString::fromLatin1(familia), pontos);
    f.setBold(negrito);
    f.setStyleHint(qstrcmp(familia, "Courier New") == 0 ? QFont::TypeWriter : QFont::SansSerif);
    return f;
}

// Right-aligned in four characters, as "@@@@" formats; a longer number is shown whole.
QString Alinhado4(const QString& texto) {
    return texto.rightJustified(4, QLatin1Char(' '));
}

} // namespace

frmVelto::frmVelto(bool quiosque, QWidget* parent)
    : ChildScreen(parent)
    , quiosque_(quiosque) {
    setObjectName(QStringLiteral("frmVelto"));
    setWindowTitle(QStringLiteral("VELTO"));
    setCentring(Centring::OnEveryActivation);
    criarControles();

    Timer1.setInterval(50);
    connect(&Timer1, &QTimer::timeout, this, &frmVelto::Timer1_Timer);
    Timer2.setInterval(2000);
    connect(&Timer2, &QTimer::timeout, this, &frmVelto::Timer2_Timer);
    Reconectar.setInterval(kSegundosReconectar * 1000);
    connect(&Reconectar, &QTimer::timeout, this, &frmVelto::Reconectar_Timer);
    Mudancas.setInterval(kMilissegundosMudancas);
    connect(&Mudancas, &QTimer::timeout, this, &frmVelto::Mudancas_Timer);

    connect(TxtFUNCIONARIO, &QLineEdit::textChanged, this, &frmVelto::TxtFUNCIONARIO_Change);
    OnLostFocus(TxtFUNCIONARIO, [this] { TxtFUNCIONARIO_LostFocus(); });
    OnGotFocus(TxtFUNCIONARIO, [this] { PintarCartao(true); });
    OnGotFocus(Text1, [this] { PintarCartao(false); });

    Form_Load();
}

void frmVelto::criarControles() {
    Frame1 = new QGroupBox(QStringLiteral("VELTO"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(Fonte("Courier New", 12, true));

    Label1 = new QLabel(QStringLiteral("FUNCIONARIO:"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(Fonte("Arial", 14, true));
    TxtFUNCIONARIO = new QLineEdit(Frame1);
    TxtFUNCIONARIO->setObjectName(QStringLiteral("TxtFUNCIONARIO"));
    TxtFUNCIONARIO->setFont(Fonte("Courier New", 20, true));
    MakePasswordField(TxtFUNCIONARIO);
    // A card carries 13 digits; anything much longer is no card.
    TxtFUNCIONARIO->setMaxLength(64);
    TxtFUNCIONARIO->setMinimumHeight(44);

    // Takes the focus at the Enter that ends each scan; it must not show.
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(Fonte("Courier New", 8));
    Text1->setFrame(false);
    Text1->setFixedSize(2, 2);
    QPalette escondido = Text1->palette();
    const QColor face = palette().color(QPalette::Button);
    escondido.setColor(QPalette::Base, face);
    escondido.setColor(QPalette::Text, face);
    Text1->setPalette(escondido);

    TXTNOME = new QLineEdit(Frame1);
    TXTNOME->setObjectName(QStringLiteral("TXTNOME"));
    TXTNOME->setFont(Fonte("Arial", 20, true));
    TXTNOME->setMinimumHeight(44);
    TXTNOME->setFocusPolicy(Qt::ClickFocus);
    MakeDisplayOnly(TXTNOME);

    Label2 = new QLabel(QStringLiteral("Data / Hora:"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(Fonte("Arial", 14, true));
    txtData = new MaskedEdit(QStringLiteral("##/##/####"), Frame1);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setFont(Fonte("Courier New", 30, true));
    txtData->setFocusPolicy(Qt::ClickFocus);
    MakeDisplayOnly(txtData);
    TXTHORA = new QLineEdit(Frame1);
    TXTHORA->setObjectName(QStringLiteral("TXTHORA"));
    TXTHORA->setFont(Fonte("Courier New", 30, true));
    TXTHORA->setFocusPolicy(Qt::ClickFocus);
    MakeDisplayOnly(TXTHORA);
    for (QLineEdit* campo : {static_cast<QLineEdit*>(txtData), TXTHORA}) {
        campo->setAlignment(Qt::AlignCenter);
        campo->setMinimumHeight(60);
    }

    Frame3 = new QGroupBox(QStringLiteral("Funcionarios Trabalhando:"), Frame1);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFont(Fonte("Arial", 11, true));
    List1 = new QListWidget(Frame3);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(Fonte("Arial", 13));
    List1->setFocusPolicy(Qt::NoFocus);
    List1->setMinimumHeight(260);
    auto* listaLayout = new QVBoxLayout(Frame3);
    listaLayout->addWidget(List1);

    // The supplier's company line and telephone numbers are not part of the system.
    Label3 = new QLabel(Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5 = new QLabel(QStringLiteral("Versão 2.2.2.6"), Frame1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(Fonte("Arial", 9));
    Label5->setAlignment(Qt::AlignRight);

    auto* grade = new QGridLayout(Frame1);
    grade->setSpacing(10);
    grade->addWidget(Label2, 0, 0);
    grade->addWidget(txtData, 0, 1);
    grade->addWidget(TXTHORA, 0, 2);
    grade->addWidget(Label1, 1, 0);
    grade->addWidget(TxtFUNCIONARIO, 1, 1, 1, 2);
    grade->addWidget(Text1, 1, 3);
    grade->addWidget(TXTNOME, 2, 0, 1, 3);
    grade->addWidget(Frame3, 3, 0, 1, 3);
    grade->addWidget(Label3, 4, 0);
    grade->addWidget(Label4, 4, 1);
    grade->addWidget(Label5, 4, 2);
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    setFixedSize(760, 600);

    setTabOrder(TxtFUNCIONARIO, Text1);
}

void frmVelto::Form_Load() {
    AbrirBanco();
    Mudancas_Timer(); // from now on, what other programs change is followed
    VerFuncionariosTrabalhando();
    Timer1_Timer();
    Timer1.start();
    Mudancas.start();
    PintarCartao(false);
    TxtFUNCIONARIO->setFocus();
}

// At start (before the event loop runs), a file the program cannot use ends it with the
// driver's message. Once the program runs, the terminal stays up: each scan tries the file
// again and says why it was not registered. So does a kiosk terminal whose server is out of
// reach at start, which tries it again every few seconds meanwhile.
void frmVelto::AbrirBanco() {
    try {
        AbrirConexao();
        arquivoTrocado_ = false;
    } catch (const DatabaseError& e) {
        const bool foraDoAlcance = quiosque_ && e.cause() == DatabaseError::Cause::Unreachable;
        if (QThread::currentThread()->loopLevel() == 0 && !foraDoAlcance)
            throw;
        arquivoTrocado_ = true;
        if (foraDoAlcance) {
            TXTNOME->setText(QStringLiteral("Servidor do banco de dados fora do alcance."));
            Reconectar.start();
        }
    }
}

void frmVelto::Reconectar_Timer() {
    // A scan may have connected meanwhile.
    if (arquivoTrocado_) {
        try {
            AbrirConexao();
        } catch (const DatabaseError&) {
            TXTNOME->setText(QStringLiteral("Servidor do banco de dados fora do alcance."));
            return;
        }
        arquivoTrocado_ = false;
        TXTNOME->clear();
    }
    Reconectar.stop();
    VerFuncionariosTrabalhando();
}

void frmVelto::Mudancas_Timer() {
    // A scan under way rebuilds the list itself, and its connection is busy.
    if (registrando_ || arquivoTrocado_ || !conexaoBanco)
        return;
    bool mudou = false;
    try {
        const Connection::BusyWait espera(*conexaoBanco, kEsperaLista);
        mudou = conexaoBanco->OthersChanged();
    } catch (const DatabaseError&) {
        // Out of reach: the next look, or the next scan, tries again.
    }
    if (mudou)
        VerFuncionariosTrabalhando();
}

void frmVelto::Timer1_Timer() {
    MostrarDataHora(Clock::now());
}

void frmVelto::MostrarDataHora(const QDateTime& agora) {
    const QString hoje = agora.date().toString(QStringLiteral("dd/MM/yyyy"));
    if (txtData->Text() != hoje)
        txtData->setText(hoje);
    TXTHORA->setText(agora.time().toString(QStringLiteral("hh:mm:ss")));
}

void frmVelto::Timer2_Timer() {
    Timer2.stop();
    TxtFUNCIONARIO->setEnabled(true);
    TxtFUNCIONARIO->setFocus();
}

void frmVelto::TxtFUNCIONARIO_Change() {
    const QString limpo = SemEspacosEApostrofos(TxtFUNCIONARIO->text());
    if (limpo != TxtFUNCIONARIO->text())
        TxtFUNCIONARIO->setText(limpo);
}

void frmVelto::PintarCartao(bool comFoco) {
    QPalette p = TxtFUNCIONARIO->palette();
    p.setColor(QPalette::Base, comFoco ? QColor(0xE0, 0xE0, 0xE0) : palette().color(QPalette::Button));
    TxtFUNCIONARIO->setPalette(p);
}

void frmVelto::TxtFUNCIONARIO_LostFocus() {
    // A locked field gives its focus away as it is disabled; that is no swipe.
    if (!TxtFUNCIONARIO->isEnabled())
        return;
    if (!quiosque_) {
        Passar(TxtFUNCIONARIO->text());
        return;
    }
    // Nobody stands by to press OK: a card scanned while a box is open closes it and is the next
    // swipe, whole, instead of its Enter pressing OK and its digits being lost.
    MsgBoxUnattended caixas(kSegundosCaixa * 1000);
    Passar(TxtFUNCIONARIO->text());
    for (QString cartao = SemEspacosEApostrofos(caixas.takeTypedLine()); !cartao.isEmpty();
         cartao = SemEspacosEApostrofos(caixas.takeTypedLine()))
        Passar(cartao);
}

void frmVelto::Passar(const QString& cartao) {
    const QScopedValueRollback<bool> emAndamento(registrando_, true);
    // The row is written with the date and time shown: shown and checked are one instant.
    const QDateTime agora = Clock::now();
    MostrarDataHora(agora);
    const QString dataMostrada = txtData->Text();
    const QString horaMostrada = TXTHORA->text();
    // Locked while the scan waits for the database; the clock keeps running meanwhile.
    TxtFUNCIONARIO->setEnabled(false);
    ResultadoPonto resultado;
    try {
        ConferirArquivo();
        const Connection::BusyWait espera(*conexaoBanco, kEsperaBanco, [this] { EsperarBanco(); });
        resultado = RegistrarPonto(cartao, agora.date(), agora.time(), dataMostrada, horaMostrada);
    } catch (const DatabaseError& erro) {
        PontoNaoRegistrado(erro, cartao, agora);
        return;
    }
    TXTNOME->clear();
    switch (resultado.tipo) {
    case ResultadoPonto::Tipo::CartaoNaoEncontrado:
        TXTNOME->setText(QStringLiteral("ATENÇÃO >>> Passe novamente o Cartao!"));
        Timer2.start();
        TxtFUNCIONARIO->setEnabled(false);
        TxtFUNCIONARIO->clear();
        return;
    case ResultadoPonto::Tipo::CedoDemais:
        AvisoTerminal(MensagemCedoDemais(resultado.decorrido), MsgBoxIcon::Information);
        TxtFUNCIONARIO->clear();
        break;
    case ResultadoPonto::Tipo::Registrado:
        lblEntradaSaida = resultado.entradaSaida;
        lblcodigo = resultado.numeroFuncionario;
        TXTNOME->setText(resultado.linhaNome);
        TxtFUNCIONARIO->clear();
        break;
    case ResultadoPonto::Tipo::NaoRegistrado:
        TxtFUNCIONARIO->clear();
        TxtFUNCIONARIO->setFocus();
        break;
    }
    Timer2.start();
    TxtFUNCIONARIO->setEnabled(false);
    VerFuncionariosTrabalhando();
    PintarCartao(false);
}

// Before each scan: the file the connection opened must still be the one at its path, or the
// punch would go into a deleted file. The scan that finds it gone or replaced is not
// registered; the file now at the path, once there is one, serves the next scans.
void frmVelto::ConferirArquivo() {
    if (!arquivoTrocado_ && conexaoBanco && conexaoBanco->openedFileIsAtPath())
        return;
    const bool jaSabido = arquivoTrocado_;
    arquivoTrocado_ = true;
    if (conexaoBanco && !conexaoBanco->openedFileIsAtPath()) {
        // Closed first: the old file's journal goes with it, so the file now at the path never
        // reads it.
        const Connection::Observer observador = conexaoBanco->observer();
        conexaoBanco.reset();
        AbrirConexao();
        conexaoBanco->setObserver(observador);
    } else {
        AbrirConexao();
    }
    arquivoTrocado_ = false;
    if (!jaSabido)
        throw DatabaseError(
            QStringLiteral("O arquivo %1 foi apagado ou substituído.").arg(conexaoBanco->realPath()),
            DatabaseError::Cause::FileMissing);
}

// Waits a moment with the screen alive: the clock runs and repaints; keys typed meanwhile
// wait until the scan is over.
void frmVelto::EsperarBanco() {
    QEventLoop espera;
    QTimer::singleShot(25, &espera, &QEventLoop::quit);
    espera.exec(QEventLoop::ExcludeUserInputEvents);
}

void frmVelto::PontoNaoRegistrado(const DatabaseError& erro, const QString& cartao,
                                  const QDateTime& instante) {
    // The office posts these by hand from the PC's list: nobody stood by to write them down.
    if (erro.cause() == DatabaseError::Cause::Unreachable)
        AnotarPendente(SemEspacosEApostrofos(cartao), instante);
    TXTNOME->clear();
    AvisoTerminal(MensagemPontoNaoRegistrado(erro), MsgBoxIcon::Exclamation);
    TxtFUNCIONARIO->clear();
    Timer2.start();
    TxtFUNCIONARIO->setEnabled(false);
    PintarCartao(false);
}

// Every message of the terminal: OK only, titled "sis-velto".
void frmVelto::AvisoTerminal(const QString& texto, MsgBoxIcon icone) {
    MsgBox(texto, MsgBoxButtons::OkOnly, icone, QStringLiteral("sis-velto"));
}

void frmVelto::VerFuncionariosTrabalhando() {
    if (arquivoTrocado_)
        return;
    // A server that stops answering holds the list up for moments only: the scans come first.
    const QScopedValueRollback<bool> ocupado(registrando_, true);
    QStringList linhas;
    try {
        const Connection::BusyWait espera(*conexaoBanco, kEsperaLista, [this] { EsperarBanco(); });
        const Connection::ReadSnapshot leitura(*conexaoBanco);
        for (Recordset rs =
                 conexaoBanco->Execute(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC"));
             !rs.Eof(); rs.MoveNext()) {
            const QString numero = SemEspacosEApostrofos(rs["codigo"].toString());
            if (ContarPontos(numero, QStringLiteral("E")) > ContarPontos(numero, QStringLiteral("S"))) {
                const Recordset f =
                    conexaoBanco->Execute("Select * from funcionarios where  CODIGO  = " + numero);
                if (!f.Eof())
                    linhas << Alinhado4(QString::number(f["CODIGO"].toInteger())) + " - " +
                                  f["NOME"].toString();
            }
        }
    } catch (const DatabaseError&) {
        return;
    }
    List1->clear();
    List1->addItems(linhas);
}
