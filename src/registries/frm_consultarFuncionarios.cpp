#include "frm_consultarFuncionarios.h"

#include "ChamadorConsulta.h"
#include "Conexao.h"
#include "DatabaseError.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "RecordsetModel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>

namespace {

// Grid widths are given in twips, 1440 to the inch.
int Pixels(const QWidget* w, int twips) {
    return twips * w->logicalDpiX() / 1440;
}

// An apostrophe would end the SQL text literal: it is doubled, so it is searched for as typed.
QString Literal(QString texto) {
    return texto.replace(QLatin1Char('\''), QStringLiteral("''"));
}

} // namespace

frm_consultarFuncionarios::frm_consultarFuncionarios(QWidget* parent)
    : ChildScreen(parent)
    , modelo_(new RecordsetModel(this)) {
    setObjectName(QStringLiteral("frm_consultarFuncionarios"));
    setWindowTitle(QStringLiteral("Consultar Funcionarios"));
    criarControles();
    connect(txtconsultar, &QLineEdit::textChanged, this, &frm_consultarFuncionarios::txtconsultar_Change);
    Form_Load();
}

frm_consultarFuncionarios* frm_consultarFuncionarios::Abrir(ChildScreen& tela, ChamadorConsulta& chamador) {
    chamador.chamouConsulta = true;
    auto* consulta = new frm_consultarFuncionarios;
    QMdiSubWindow* janela = tela.subWindow();
    if (janela && janela->mdiArea()) {
        consulta->showIn(janela->mdiArea());
    } else {
        consulta->setAttribute(Qt::WA_DeleteOnClose);
        consulta->show();
    }
    consulta->txtconsultar->setFocus();
    return consulta;
}

void frm_consultarFuncionarios::criarControles() {
    Label1 = new QLabel(QStringLiteral("Funcionario:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtconsultar = new QLineEdit(this);
    txtconsultar->setObjectName(QStringLiteral("txtconsultar"));
    // The text is the start of a LIKE pattern, whose length the engine bounds.
    txtconsultar->setMaxLength(60);
    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setModel(modelo_);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setTabKeyNavigation(false);
    DataGrid1->verticalHeader()->hide();
    DataGrid1->horizontalHeader()->setHighlightSections(false);

    auto* grade = new QGridLayout(this);
    grade->addWidget(Label1, 0, 0);
    grade->addWidget(txtconsultar, 0, 1);
    grade->addWidget(DataGrid1, 1, 0, 1, 2);
    setTabOrder(txtconsultar, DataGrid1);
    setFixedSize(520, 400);
}

void frm_consultarFuncionarios::Form_Load() {
    AbrirConexao();
    Vincular(QStringLiteral("select CODIGO,NOME  from FUNCIONARIOS  ORDER BY NOME"));
    txtconsultar->setFocus();
}

void frm_consultarFuncionarios::configurar_dataGrid2() {
    modelo_->setCaption(0, QStringLiteral("Código"));
    modelo_->setCaption(1, QStringLiteral("NOME"));
    DataGrid1->setColumnWidth(0, Pixels(this, 800));
    DataGrid1->setColumnWidth(1, Pixels(this, 6000));
}

// Binds the grid to the statement's rows, the first row current.
void frm_consultarFuncionarios::Vincular(const QString& sql) {
    modelo_->setRecordset(conexaoBanco->Execute(sql));
    configurar_dataGrid2();
    if (modelo_->rowCount() > 0)
        DataGrid1->setCurrentIndex(modelo_->index(0, 0));
}

void frm_consultarFuncionarios::txtconsultar_Change() {
    Vincular(QStringLiteral("Select CODIGO,NOME from FUNCIONARIOS where NOME like '") +
             Literal(txtconsultar->text()) + QStringLiteral("%'   ORDER BY NOME"));
}

bool frm_consultarFuncionarios::previewKeyPress(QWidget* target, QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (target != DataGrid1 && !DataGrid1->isAncestorOf(target)))
        return false;
    DataGrid1_Escolher();
    return true;
}

void frm_consultarFuncionarios::DataGrid1_Escolher() {
    const QModelIndex atual = DataGrid1->currentIndex();
    if (!atual.isValid())
        return; // an empty grid has no row to choose
    try {
        const Recordset rs = conexaoBanco->Execute(
            QStringLiteral("Select * from FUNCIONARIOS where CODIGO = ") + modelo_->text(atual.row(), 0));
        if (rs.Eof()) {
            MsgBox(QStringLiteral("Selecione um nome válido"), MsgBoxButtons::OkOnly);
            // Lists everyone again, also when the field was already empty.
            if (txtconsultar->text().isEmpty())
                txtconsultar_Change();
            else
                txtconsultar->clear();
            return;
        }
        const QList<ChamadorConsulta*> chamadores = ChamadoresConsulta(area());
        for (ChamadorConsulta* chamador : chamadores) {
            if (!chamador->chamouConsulta)
                continue;
            chamador->chamouConsulta = false;
            const bool registro = chamador->valorConsulta() == ChamadorConsulta::Valor::Registro;
            Entregar(*chamador,
                     rs[registro ? QStringLiteral("REGISTRO") : QStringLiteral("CODIGO")].toString());
            unload();
            return;
        }
    } catch (const DatabaseError&) {
        // A failed choice is skipped: the lookup stays as it was.
    }
}

void frm_consultarFuncionarios::Entregar(ChamadorConsulta& chamador, const QString& valor) {
    QLineEdit* campo = chamador.campoConsulta();
    if (auto* mascara = qobject_cast<MaskedEdit*>(campo))
        mascara->setText(valor);
    else
        campo->setText(valor);
    if (auto* tela = dynamic_cast<ChildScreen*>(&chamador); tela && tela->subWindow() && area())
        area()->setActiveSubWindow(tela->subWindow());
    campo->setFocus(Qt::OtherFocusReason);
}

QMdiArea* frm_consultarFuncionarios::area() const {
    QMdiSubWindow* janela = subWindow();
    return janela ? janela->mdiArea() : nullptr;
}

void frm_consultarFuncionarios::unloadEvent() {
    // A caller whose lookup closed without a choice must not receive a later one.
    const QList<ChamadorConsulta*> chamadores = ChamadoresConsulta(area());
    for (ChamadorConsulta* chamador : chamadores)
        chamador->chamouConsulta = false;
}
