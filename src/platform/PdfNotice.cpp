#include "PdfNotice.h"

#include "MsgBox.h"
#include "Printer.h"

#include <QDir>

void ShowPdfNotice(const Printer& printer) {
    const QString file = printer.lastDocumentPath();
    if (file.isEmpty())
        return;
    MsgBox(QStringLiteral("Não há impressora configurada: o documento foi gravado no arquivo\n") +
               QDir::toNativeSeparators(file),
           MsgBoxButtons::OkOnly, MsgBoxIcon::Information);
}
