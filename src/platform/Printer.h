#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <memory>

class BarCodePicture;

// The default printer as the reports use it: positions in twips (1440 to the inch), a font
// name, size and bold, a current position, one line printed at a time, pictures, and the end
// of the document. Lines that do not fit the page go on to the next one.
class Printer {
public:
    virtual ~Printer() = default;

    QString fontName() const { return fontName_; }
    void setFontName(const QString& name) { fontName_ = name; }
    double fontSize() const { return fontSize_; } // points
    void setFontSize(double points) { fontSize_ = points; }
    bool fontBold() const { return fontBold_; }
    void setFontBold(bool bold) { fontBold_ = bold; }

    double currentX() const { return currentX_; }
    void setCurrentX(double twips) { currentX_ = twips; }
    double currentY() const { return currentY_; }
    void setCurrentY(double twips) { currentY_ = twips; }

    // Where positions are measured from: the corner of the printable area (the reports), or
    // the corner of the paper (label stock, whose cells are where the paper has them whatever
    // the printer's margins). The scale below follows.
    enum class Origin { PrintableArea, PaperCorner };
    Origin origin() const { return origin_; }
    void setOrigin(Origin origin) { origin_ = origin; }

    // Printable area of a page (with Origin::PaperCorner, the whole paper), in twips.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    // Height of a line and width of a text in the current font, in twips.
    virtual double textHeight() const = 0;
    virtual double textWidth(const QString& text) const = 0;

    // Prints the text at the current position, then moves to the start of the next line,
    // starting a new page first when the line would not fit. A line wider than the page is
    // not cut: its last field goes on the next line, at the right edge (see drawFitted).
    void print(const QString& line);
    // Draws a picture into the given rectangle (twips) of the current page.
    void paintPicture(const QImage& picture, double x, double y, double width, double height);
    // Draws the barcode with its top-left corner at the point (twips), at its own size, as
    // bars the device draws itself: sharp at any resolution.
    void paintPicture(const BarCodePicture& picture, double x, double y);
    // Starts a new page; the position goes back to the top left.
    void newPage();
    // Ends the document and sends it on. Printing again starts a new document. A document
    // with nothing on it (no text but blanks, no picture) is not sent: no sheet, no file.
    void endDoc();
    // Drops the open document unsent, for a report that stopped on an error: nothing of it is
    // printed or kept.
    void abortDoc();
    // Prints a picture of a screen, on a page of its own, as one document.
    void printForm(const QImage& screen);

    // Where the last ended document went, for the message that tells the user (empty when it
    // went to a real printer or nowhere).
    virtual QString lastDocumentPath() const { return {}; }
    // The message for the user when the last ended document was kept as a file instead of
    // printed: why, and the file's name. Empty when it was printed.
    virtual QString lastDocumentNotice() const { return {}; }

    // The default size of the lines: the rule of 113 "-" fits an A4 portrait page.
    static constexpr double kDefaultFontSize = 7.5;

protected:
    virtual void drawText(const QString& text, double x, double y) = 0;
    virtual void drawPicture(const QImage& picture, double x, double y, double width, double height) = 0;
    virtual void drawBarCode(const BarCodePicture& picture, double x, double y) = 0;
    virtual void startPage() = 0;
    virtual void finishDocument() = 0;
    virtual void discardDocument() = 0;
    // Instead of finishDocument() when the ended document has nothing on it, or when no
    // document was open at all.
    virtual void dropEmptyDocument() {}

    bool documentOpen_ = false;
    int page_ = 0;

private:
    void ensureDocument();
    void drawFitted(const QString& line);

    QString fontName_ = QStringLiteral("Courier New");
    double fontSize_ = kDefaultFontSize;
    bool fontBold_ = false;
    Origin origin_ = Origin::PrintableArea;
    // Whether the open document has anything on it.
    bool inked_ = false;
    double currentX_ = 0;
    double currentY_ = 0;
};

// What a recording printer saw, for tests.
struct PrintedItem {
    enum class Kind { Text, Picture, BarCode, NewPage, EndDoc, Abort };
    Kind kind;
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    int page = 0;
};

// The printer the program prints to: the system's default printer when one is configured,
// otherwise a PDF file per document in C:\PONTO\impressoes (mapped like the database).
// Tests replace it with a recording printer.
Printer& DefaultPrinter();
void SetDefaultPrinter(std::unique_ptr<Printer> printer);
