#include "frmFeriados.h"

#include "CamposCadastro.h"
#include "Conexao.h"
#include "FocusHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W> W* Nomear(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLineEdit* CampoCurto(QWidget* pai, const char* nome, int digitos) {
    auto* campo = Nomear(new QLineEdit(pai), nome);
    campo->setFixedWidth(campo->fontMetrics().horizontalAdvance(QString(digitos + 1, QLatin1Char('0'))) + 12);
    return campo;
}

} // namespace

frmFeriados::frmFeriados(QWidget* parent)
    : ChildScreen(parent) {
    setObjectName(QStringLiteral("frmFeriados"));
    setWindowTitle(QStringLiteral("Feriados"));
    criarControles();

    OnLostFocus(txtcodigo, [this] { txtcodigo_LostFocus(); });
    connect(btGravar, &QPushButton::clicked, this, &frmFeriados::btGravar_Click);
    connect(CBSAir, &QPushButton::clicked, this, &ChildScreen::unload);

    Form_Load();
}

void frmFeriados::criarControles() {
    lblCodigo = Nomear(new QLabel(QStringLiteral("Codigo.:"), this), "lblCodigo");
    txtcodigo = CampoCurto(this, "txtcodigo", 6);
    lblFeriado = Nomear(new QLabel(QStringLiteral("Feriado (Descrição).:"), this), "lblFeriado");
    TxtFUNCIONARIO = Nomear(new QLineEdit(this), "TxtFUNCIONARIO");
    lblData = Nomear(new QLabel(QStringLiteral("Data.:"), this), "lblData");
    txtdia = CampoCurto(this, "txtdia", 2);
    txtmes = CampoCurto(this, "txtmes", 2);
    txtano = CampoCurto(this, "txtano", 4);
    lblNotaAno = Nomear(
        new QLabel(QStringLiteral(
                       "Para Cadastar um Feriado que ocorra somente no Ano digite como Exemplo: 10/02/2007"),
                   this),
        "lblNotaAno");
    lblNotaTodoAno = Nomear(
        new QLabel(QStringLiteral(
                       "Para Cadastrar um Feriado que ocorra em qualquer ano digite como o Exemplo: 25/12"),
                   this),
        "lblNotaTodoAno");
    for (QLabel* nota : {lblNotaAno, lblNotaTodoAno})
        nota->setWordWrap(true);
    btGravar = Nomear(new QPushButton(QStringLiteral("Gravar"), this), "btGravar");
    CBSAir = Nomear(new QPushButton(QStringLiteral("Sair"), this), "CBSAir");

    auto* data = new QHBoxLayout;
    data->addWidget(txtdia);
    data->addWidget(new QLabel(QStringLiteral("/"), this));
    data->addWidget(txtmes);
    data->addWidget(new QLabel(QStringLiteral("/"), this));
    data->addWidget(txtano);
    data->addStretch();
    auto* campos = new QGridLayout;
    campos->addWidget(lblCodigo, 0, 0);
    campos->addWidget(txtcodigo, 0, 1, Qt::AlignLeft);
    campos->addWidget(lblFeriado, 1, 0);
    campos->addWidget(TxtFUNCIONARIO, 1, 1);
    campos->addWidget(lblData, 2, 0);
    campos->addLayout(data, 2, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btGravar);
    botoes->addWidget(CBSAir);
    auto* tela = new QVBoxLayout(this);
    tela->addLayout(campos);
    tela->addWidget(lblNotaAno);
    tela->addWidget(lblNotaTodoAno);
    tela->addLayout(botoes);

    QWidget* ordem[] = {txtcodigo, TxtFUNCIONARIO, txtdia, txtmes, txtano, btGravar, CBSAir};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);
    setFixedSize(520, 260);
}

void frmFeriados::Form_Load() {
    AbrirConexao();
    txtcodigo->setFocus();
}

void frmFeriados::txtcodigo_LostFocus() {
    txtcodigo->setText(SemApostrofos(txtcodigo->text()));
    const QString codigo = txtcodigo->text();
    if (EhSoDigitos(codigo)) {
        const Recordset rs =
            conexaoBanco->Execute(QStringLiteral("sELECT * FROM feriados WHERE codigo = ") + codigo);
        if (!rs.Eof()) {
            TxtFUNCIONARIO->setText(rs[QStringLiteral("feriado")].toString());
            txtdia->setText(rs[QStringLiteral("dia")].toString());
            txtmes->setText(rs[QStringLiteral("mes")].toString());
            txtano->setText(rs[QStringLiteral("ano")].toString());
            return;
        }
    }
    for (QLineEdit* campo : {TxtFUNCIONARIO, txtdia, txtmes, txtano})
        campo->clear();
}

void frmFeriados::btGravar_Click() {
    txtcodigo->setText(SemApostrofos(txtcodigo->text()));
    const QString codigo = txtcodigo->text();
    const QString feriado = TextoSql(TxtFUNCIONARIO->text()), dia = TextoSql(txtdia->text()),
                  mes = TextoSql(txtmes->text()), ano = TextoSql(txtano->text());
    const bool existe =
        EhSoDigitos(codigo) && !conexaoBanco
                                         ->Execute(QStringLiteral("sELECT * FROM feriados WHERE codigo = ") +
                                                   codigo + QStringLiteral(" "))
                                         .Eof();
    if (existe) {
        conexaoBanco->Execute(QStringLiteral("UPDATE feriados SET ") + QStringLiteral("feriado='") + feriado +
                              QStringLiteral("',DIA='") + dia + QStringLiteral("', MES = '") + mes +
                              QStringLiteral("', ANO = '") + ano + QStringLiteral("'") +
                              QStringLiteral(" WHERE CODIGO = ") + codigo + QStringLiteral(" "));
    } else {
        // The table numbers a new holiday itself; the typed code is not stored.
        conexaoBanco->Execute(QStringLiteral("INSERT INTO feriados(") +
                              QStringLiteral("feriado,dia,mes,ano") + QStringLiteral(") VALUES( ") +
                              QStringLiteral("'") + feriado + QStringLiteral("','") + dia +
                              QStringLiteral("' ,'") + mes + QStringLiteral("','") + ano +
                              QStringLiteral("'") + QStringLiteral(")"));
    }
    replaceWith(new frmFeriados);
}
