#include "RecordingPrinter.h"

QStringList RecordingPrinter::lines() const {
    QStringList out;
    for (const PrintedItem& item : items_) {
        if (item.kind == PrintedItem::Kind::Text)
            out << item.text;
    }
    return out;
}

void RecordingPrinter::drawText(const QString& text, double x, double y) {
    items_.append(
        PrintedItem{PrintedItem::Kind::Text, text, fontName(), fontSize(), fontBold(), x, y, 0, 0, page_});
}

void RecordingPrinter::drawPicture(const QImage& picture, double x, double y, double width, double height) {
    Q_UNUSED(picture);
    items_.append(PrintedItem{
        PrintedItem::Kind::Picture, {}, fontName(), fontSize(), fontBold(), x, y, width, height, page_});
}

void RecordingPrinter::startPage() {
    if (page_ > 1)
        items_.append(PrintedItem{PrintedItem::Kind::NewPage, {}, {}, 0, false, 0, 0, 0, 0, page_});
}

void RecordingPrinter::discardDocument() {
    items_.append(PrintedItem{PrintedItem::Kind::Abort, {}, {}, 0, false, 0, 0, 0, 0, page_});
}

void RecordingPrinter::finishDocument() {
    ++documents_;
    items_.append(PrintedItem{PrintedItem::Kind::EndDoc, {}, {}, 0, false, 0, 0, 0, 0, page_});
}
