#include "PdfNotice.h"

#include "MsgBox.h"
#include "Printer.h"

void ShowPdfNotice(const Printer& printer) {
    const QString notice = printer.lastDocumentNotice();
    if (notice.isEmpty())
        return;
    MsgBox(notice, MsgBoxButtons::OkOnly, MsgBoxIcon::Information);
}
