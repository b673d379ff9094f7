#pragma once

#include "Printer.h"

// A printer that keeps what it was given, for tests: an A4 portrait page (11 906 x 16 838
// twips) of printable area 11 000 x 15 900 twips, and a fixed-pitch font of 0.6 em per
// character. A document ended with nothing on it is dropped from the record.
class RecordingPrinter : public Printer {
public:
    double scaleWidth() const override { return origin() == Origin::PaperCorner ? 11906 : 11000; }
    double scaleHeight() const override { return origin() == Origin::PaperCorner ? 16838 : 15900; }
    double textHeight() const override { return fontSize() * 20 * 1.2; }
    double textWidth(const QString& text) const override { return text.size() * fontSize() * 20 * 0.6; }

    const QList<PrintedItem>& items() const { return items_; }
    QList<PrintedItem> items(PrintedItem::Kind kind) const;
    // The printed texts in order, of ended and open documents.
    QStringList lines() const;
    int documentsEnded() const { return documents_; }
    void clear() {
        items_.clear();
        documents_ = 0;
        documentStart_ = -1;
    }

protected:
    void drawText(const QString& text, double x, double y) override;
    void drawPicture(const QImage& picture, double x, double y, double width, double height) override;
    void drawBarCode(const BarCodePicture& picture, double x, double y) override;
    void startPage() override;
    void finishDocument() override;
    void discardDocument() override;
    void dropEmptyDocument() override;

private:
    QList<PrintedItem> items_;
    qsizetype documentStart_ = -1; // first item of the open document
    int documents_ = 0;
};
