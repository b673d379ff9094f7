#pragma once

#include "Printer.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPrinter;

// The real printer, on Qt PrintSupport. A4 portrait; positions are twips (1440 to the inch)
// from the top left of the page's printable area. Every document is drawn as a PDF file in
// C:\PONTO\impressoes (mapped like the database), named velto-yyyyMMdd-HHmmss.pdf (with -2,
// -3... when that name is taken). With Destination::SystemDefault the ended document then goes
// to a queue of the print system (the default one, or the one named) and the file is removed
// once the queue took it; when there is no queue, or it cannot take the job (see PrintQueue),
// the file stays and lastDocumentNotice() says why and where. Destination::PdfFile only keeps
// the files.
class QtPrinter : public Printer {
public:
    enum class Destination { SystemDefault, PdfFile };

    explicit QtPrinter(Destination destination = Destination::SystemDefault, const QString& queue = {});
    // Writes to the one PDF file given: every document ended on this printer goes into it, each
    // starting on a new page. The file is complete after closeFile() (the destructor runs it).
    explicit QtPrinter(const QString& pdfFile);
    ~QtPrinter() override; // ends an open document

    // Every document ended from now on goes into one job (one file), each starting on a new page;
    // closeFile() ends and sends it. As the one PDF file does.
    void collectDocuments() { collect_ = true; }

    // With one file for all documents: ends the document and the file, and sends it when it goes
    // to a queue. False when it was never written (see lastError()); lastDocumentPath() gives
    // the file once it is complete, when it stays.
    bool closeFile();
    // With a PDF file of its own: drops everything printed into it, and the file.
    void discardFile();

    // Only keeps files, never sends to the print system.
    bool printsToPdf() const { return !toQueue_; }
    // The folder of the PDF files, on this machine.
    static QString pdfFolder();

    double scaleWidth() const override;
    double scaleHeight() const override;
    double textHeight() const override;
    double textWidth(const QString& text) const override;
    QString lastDocumentPath() const override { return lastPath_; }
    QString lastDocumentNotice() const override;
    // Why the last document could not be printed; empty when it was.
    QString lastError() const { return error_; }

protected:
    void drawText(const QString& text, double x, double y) override;
    void drawPicture(const QImage& picture, double x, double y, double width, double height) override;
    void drawBarCode(const BarCodePicture& picture, double x, double y) override;
    void startPage() override;
    void finishDocument() override;
    void discardDocument() override;
    void dropEmptyDocument() override;

private:
    QFont currentFont() const;
    double toDevice(double twips) const;
    // A position (twips from the origin) in the painter's coordinates.
    QPointF toDevice(double x, double y) const;
    // The device starts a document, and each page, only when something is drawn on it: a
    // document that ends with nothing on it never reaches the printer or the disk.
    bool readyToDraw();
    bool beginDocument();
    // Ends the painter and keeps the path only when the file was really written.
    void endPainter();
    // Sends the written file to its queue; it stays, with the reason, when the queue cannot take it.
    void deliver();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool toQueue_ = false;
    QString queue_;     // as asked: empty for the default queue
    QString sendingTo_; // the queue of the open document; empty when it only becomes a file
    bool collect_ = false;
    int devicePages_ = 0;       // pages of the open document the device has started
    bool deviceFailed_ = false; // the open document could not be started: told once
    QString pdfPath_;
    QString fixedPath_;
    QString lastPath_;
    QString reason_;
    QString error_;
};
