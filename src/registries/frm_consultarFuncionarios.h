#pragma once

#include "ChildScreen.h"

class ChamadorConsulta;
class QLabel;
class QLineEdit;
class QMdiArea;
class QTableView;
class RecordsetModel;

// The employee lookup: finds employees by the start of the name and hands the chosen one back
// to the screen that asked for it (see ChamadorConsulta). Each call builds a fresh screen.
class frm_consultarFuncionarios : public ChildScreen {
    Q_OBJECT
public:
    explicit frm_consultarFuncionarios(QWidget* parent = nullptr);

    // Sets the caller's flag and opens a fresh lookup beside it, in its MDI area (top-level
    // when the caller has none; nobody receives a choice then).
    static frm_consultarFuncionarios* Abrir(ChildScreen& tela, ChamadorConsulta& chamador);

    // Captions and widths of the grid's two columns; run after every new result set.
    void configurar_dataGrid2();

    QLabel* Label1;
    QLineEdit* txtconsultar;
    QTableView* DataGrid1;

protected:
    bool previewKeyPress(QWidget* target, QKeyEvent* event) override;
    void unloadEvent() override;

private:
    void criarControles();
    void Form_Load();
    void txtconsultar_Change();
    void DataGrid1_Escolher();
    void Vincular(const QString& sql);
    void Entregar(ChamadorConsulta& chamador, const QString& valor);
    QMdiArea* area() const;

    RecordsetModel* modelo_;
};
