#include "QtPrinter.h"

#include "BarCodePicture.h"
#include "Clock.h"
#include "Connection.h"
#include "MsgBox.h"
#include "PrintQueue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Margins of the PDF pages; a real printer keeps its own.
const QMarginsF kPdfMarginsMm(8, 8, 8, 8);

QString uniquePdfPath(const QString& folder) {
    const QString stem = QStringLiteral("velto-") + Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = folder + QLatin1Char('/') + stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path =
            folder + QLatin1Char('/') + stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".pdf");
    return path;
}

} // namespace

QtPrinter::QtPrinter(Destination destination, const QString& queue)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , toQueue_(destination == Destination::SystemDefault)
    , queue_(queue) {
    // Drawn as PDF whatever the destination: the print system takes the file as it is.
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setPageMargins(kPdfMarginsMm, QPageLayout::Millimeter);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    printer_->setFullPage(false);
    printer_->setDocName(QStringLiteral("Velto"));
}

QtPrinter::QtPrinter(const QString& pdfFile)
    : QtPrinter(Destination::PdfFile) {
    fixedPath_ = QFileInfo(pdfFile).absoluteFilePath();
    collect_ = true;
}

QtPrinter::~QtPrinter() {
    endDoc();
    closeFile();
}

bool QtPrinter::closeFile() {
    if (!collect_)
        return false;
    endDoc();
    if (painter_.isActive()) {
        endPainter();
        deliver();
    }
    return error_.isEmpty() && (!lastPath_.isEmpty() || !sendingTo_.isEmpty());
}

void QtPrinter::discardFile() {
    abortDoc();
    discardDocument();
}

void QtPrinter::endPainter() {
    const bool ended = painter_.end();
    const QFileInfo file(pdfPath_);
    if (ended && file.exists() && file.size() > 0) {
        lastPath_ = pdfPath_;
        return;
    }
    lastPath_.clear();
    error_ = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(QDir::toNativeSeparators(pdfPath_));
}

void QtPrinter::deliver() {
    if (sendingTo_.isEmpty() || lastPath_.isEmpty())
        return;
    reason_ = PrintQueue::send(sendingTo_, lastPath_, printer_->docName());
    if (reason_.isEmpty()) {
        QFile::remove(lastPath_);
        lastPath_.clear();
    } else {
        sendingTo_.clear();
    }
}

QString QtPrinter::lastDocumentNotice() const {
    // A file asked for by name is no surprise to anybody.
    if (lastPath_.isEmpty() || !fixedPath_.isEmpty())
        return {};
    return reason_ + QStringLiteral(": o documento foi gravado no arquivo\n") +
           QDir::toNativeSeparators(lastPath_);
}

QString QtPrinter::pdfFolder() {
    return mapWindowsPath(QStringLiteral("C:\\PONTO\\impressoes"));
}

// The printable area (or the paper) as the device draws it, in its own pixels.
double QtPrinter::scaleWidth() const {
    const QPageLayout layout = printer_->pageLayout();
    const int dpi = printer_->resolution();
    const QRect area =
        origin() == Origin::PaperCorner ? layout.fullRectPixels(dpi) : layout.paintRectPixels(dpi);
    return area.width() * kTwipsPerInch / dpi;
}

double QtPrinter::scaleHeight() const {
    const QPageLayout layout = printer_->pageLayout();
    const int dpi = printer_->resolution();
    const QRect area =
        origin() == Origin::PaperCorner ? layout.fullRectPixels(dpi) : layout.paintRectPixels(dpi);
    return area.height() * kTwipsPerInch / dpi;
}

double QtPrinter::textHeight() const {
    const QFontMetricsF metrics(currentFont(), printer_.get());
    return metrics.lineSpacing() * kTwipsPerInch / printer_->resolution();
}

double QtPrinter::textWidth(const QString& text) const {
    const QFontMetricsF metrics(currentFont(), printer_.get());
    return metrics.horizontalAdvance(text) * kTwipsPerInch / printer_->resolution();
}

QFont QtPrinter::currentFont() const {
    QFont font(fontName());
    font.setPointSizeF(fontSize());
    font.setBold(fontBold());
    // Device-independent advances, so columns measured here are the columns printed.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double QtPrinter::toDevice(double twips) const {
    return twips * printer_->resolution() / kTwipsPerInch;
}

// The painter's origin is the printable area's corner; the paper's lies up and to the left.
QPointF QtPrinter::toDevice(double x, double y) const {
    QPointF point(toDevice(x), toDevice(y));
    if (origin() == Origin::PaperCorner)
        point -= printer_->pageLayout().paintRectPixels(printer_->resolution()).topLeft();
    return point;
}

void QtPrinter::drawText(const QString& text, double x, double y) {
    // Blanks put nothing on the page.
    if (text.trimmed().isEmpty() || !readyToDraw())
        return;
    const QFont font = currentFont();
    painter_.setFont(font);
    const QFontMetricsF metrics(font, printer_.get());
    painter_.drawText(toDevice(x, y) + QPointF(0, metrics.ascent()), text);
}

void QtPrinter::drawPicture(const QImage& picture, double x, double y, double width, double height) {
    if (!readyToDraw())
        return;
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(QRectF(toDevice(x, y), QSizeF(toDevice(width), toDevice(height))), picture);
}

void QtPrinter::drawBarCode(const BarCodePicture& picture, double x, double y) {
    if (!readyToDraw())
        return;
    const QSizeF size = picture.size();
    picture.draw(painter_, QRectF(toDevice(x, y), QSizeF(toDevice(size.width()), toDevice(size.height()))));
}

bool QtPrinter::readyToDraw() {
    if (deviceFailed_)
        return false;
    if (devicePages_ == 0) {
        if (!beginDocument()) {
            // A document that cannot be printed must not pass for printed.
            deviceFailed_ = true;
            MsgBox(error_, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
            return false;
        }
        devicePages_ = 1;
    }
    // Pages left blank inside the document are kept.
    for (; devicePages_ < page_; ++devicePages_)
        printer_->newPage();
    return true;
}

bool QtPrinter::beginDocument() {
    if (collect_ && painter_.isActive()) {
        // The next document of the one file: on a page of its own.
        printer_->newPage();
        return true;
    }
    error_.clear();
    lastPath_.clear();
    pdfPath_.clear();
    reason_.clear();
    sendingTo_.clear();
    if (toQueue_)
        sendingTo_ = queue_.isEmpty() ? PrintQueue::defaultName() : queue_;
    if (sendingTo_.isEmpty())
        reason_ = QStringLiteral("Não há impressora configurada");
    const QString folder = fixedPath_.isEmpty() ? pdfFolder() : QFileInfo(fixedPath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        error_ = QStringLiteral("Não foi possível criar a pasta %1.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    pdfPath_ = fixedPath_.isEmpty() ? uniquePdfPath(folder) : fixedPath_;
    printer_->setOutputFileName(pdfPath_);
    if (!painter_.begin(printer_.get())) {
        error_ =
            QStringLiteral("Não foi possível gravar o arquivo %1.").arg(QDir::toNativeSeparators(pdfPath_));
        return false;
    }
    return true;
}

void QtPrinter::startPage() {
    if (page_ > 1)
        return; // the device follows when something is drawn there
    devicePages_ = 0;
    deviceFailed_ = false;
}

void QtPrinter::finishDocument() {
    // The one file stays open for the documents that follow.
    if (!painter_.isActive() || collect_)
        return;
    endPainter();
    deliver();
    if (!error_.isEmpty())
        MsgBox(error_, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void QtPrinter::dropEmptyDocument() {
    devicePages_ = 0;
    // Nothing went anywhere; with a file of its own, the file keeps what it had.
    if (fixedPath_.isEmpty())
        lastPath_.clear();
}

void QtPrinter::discardDocument() {
    if (!painter_.isActive())
        return;
    printer_->abort();
    painter_.end();
    // With one file for many documents, the whole file goes: it would hold a half report.
    QFile::remove(pdfPath_);
    lastPath_.clear();
    sendingTo_.clear();
}

namespace {
std::unique_ptr<Printer>& defaultPrinterSlot() {
    static std::unique_ptr<Printer> printer;
    return printer;
}
} // namespace

Printer& DefaultPrinter() {
    std::unique_ptr<Printer>& printer = defaultPrinterSlot();
    if (!printer) {
        printer = std::make_unique<QtPrinter>();
        // Ends an open document while Qt is still there, not at static destruction.
        qAddPostRoutine([] { defaultPrinterSlot().reset(); });
    }
    return *printer;
}

void SetDefaultPrinter(std::unique_ptr<Printer> printer) {
    defaultPrinterSlot() = std::move(printer);
}
