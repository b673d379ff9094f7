#pragma once

#include "ChildScreen.h"
#include "Etiquetas.h"

class BarCode;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;

// The barcode card form: one employee's card code, its barcode and his name, and four
// actions: print labels (the sheet of all employees or this one label), print the form,
// save the barcode as SavedBarCode.wmf in the current folder, copy it to the clipboard.
// Not modal; it takes the name and the card code from its caller's fields when it loads.
class Form1_CODBAR : public ChildScreen, private CamposEtiqueta {
    Q_OBJECT
public:
    // Opens the form in the area, loading it from the caller's name and card-code fields; when
    // it is open there already, only brings it to the front (the fields keep what they show).
    static Form1_CODBAR* Mostrar(QMdiArea* area, const QLineEdit* nome, const QLineEdit* codigo);

    Form1_CODBAR(const QLineEdit* nome, const QLineEdit* codigo, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* DataToEncodeText;
    QLabel* Label3;
    QLineEdit* txtdescricao;
    BarCode* BarCode1;
    QCheckBox* ckboxTodosFunc;
    QPushButton* PrintDirect;
    QPushButton* PrintForm;
    QPushButton* SaveToFile;
    QPushButton* CopyToClipboard;

    static inline const QString kArquivo = QStringLiteral("SavedBarCode.wmf");

private:
    void criarControles();
    void Form_Load(const QLineEdit* nome, const QLineEdit* codigo);
    void DataToEncodeText_Change();
    void PrintDirect_Click();
    void PrintForm_Click();
    void SaveToFile_Click();
    void CopyToClipboard_Click();
    // The form as it looks on the screen, finer than the screen's dots.
    QImage imagemDaTela();

    // The fields the label printing goes through.
    QString codigo() const override;
    void setCodigo(const QString& codigo) override;
    void setNome(const QString& nome) override;
    void redesenhar() override;
    BarCodePicture figura() const override;
};
