#include "platform/PrintSurface.h"
#include "platform/WvsError.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace wvs {

namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerPixel = 15.0;   // pictures are taken at 96 pixels to the inch

QString familyFor(const QString &name)
{
    // Arial is not on the workstations; Liberation Sans is drawn to its metrics.
    return name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Liberation Sans") : name;
}
} // namespace

PrintSurface::PrintSurface(int widthTwips, int heightTwips) : width_(widthTwips), height_(heightTwips) {}
PrintSurface::~PrintSurface() = default;

QFont PrintSurface::font() const
{
    QFont f(familyFor(FontName));
    // Sizes in twips: the painter draws in twips, so the font is sized in them too.
    f.setPixelSize(qMax(1, qRound(FontSize * kTwipsPerPoint)));
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QPainter &PrintSurface::painter()
{
    if (!started_) {
        painter_ = beginPage(!anyPage_);
        started_ = true;
        anyPage_ = true;
    }
    const double s = pixelsPerTwip();
    painter_->setTransform(QTransform::fromScale(s, s));
    return *painter_;
}

const QFontMetricsF &PrintSurface::metrics() const
{
    const Measured now{FontName, FontSize, FontBold, FontItalic};
    if (!metrics_ || measured_ != now) {
        metrics_.emplace(font(), device());
        measured_ = now;
    }
    return *metrics_;
}

double PrintSurface::TextWidth(const QString &text) const { return metrics().horizontalAdvance(text); }

double PrintSurface::TextHeight() const { return metrics().height(); }

void PrintSurface::Print(const QString &text, bool keepLine)
{
    const QFont f = font();
    const QFontMetricsF &m = metrics();
    if (!text.isEmpty()) {
        QPainter &p = painter();
        p.setFont(f);
        p.setPen(ForeColor);
        p.drawText(QPointF(CurrentX, CurrentY + m.ascent()), text);
        drew({Drawn::Text, text, QRectF(CurrentX, CurrentY, m.horizontalAdvance(text), m.height()), FontSize});
    }
    if (keepLine) {
        CurrentX += m.horizontalAdvance(text);
    } else {
        CurrentX = 0;
        CurrentY += m.height();
    }
}

void PrintSurface::Line(double x1, double y1, double x2, double y2)
{
    QPainter &p = painter();
    p.setPen(QPen(ForeColor, 15));   // one pixel at 96 to the inch
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    drew({Drawn::Rule, QString(), QRectF(QPointF(x1, y1), QPointF(x2, y2))});
    CurrentX = x2;
    CurrentY = y2;
}

void PrintSurface::PaintPicture(const QImage &picture, double x, double y)
{
    if (picture.isNull())
        throw WvsError(ErrorNumber::General, QStringLiteral("File not found"));
    QPainter &p = painter();
    const QRectF box(x, y, picture.width() * kTwipsPerPixel, picture.height() * kTwipsPerPixel);
    p.drawImage(box, picture);
    drew({Drawn::Picture, QString(), box});
}

void PrintSurface::NewPage()
{
    started_ = false;
    ++page_;
}

void PrintSurface::EndDoc()
{
    if (ended_)
        return;
    ended_ = true;
    finishDocument();
}

void PrintSurface::abortIfOpen()
{
    if (ended_)
        return;
    ended_ = true;
    abortDocument();
}

// ---- printer or PDF file ----------------------------------------------------

namespace {
std::unique_ptr<QPrinter> makePrinter(const QString &printerName, QPageLayout::Orientation orientation)
{
    std::unique_ptr<QPrinter> printer;
    if (printerName.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName), QPrinter::HighResolution);
    }
    printer->setFullPage(true);
    printer->setPageOrientation(orientation);
    return printer;
}

QSize twipsOf(const QPrinter &printer)
{
    const QRectF r = printer.pageLayout().fullRect(QPageLayout::Point);
    return QSize(qRound(r.width() * kTwipsPerPoint), qRound(r.height() * kTwipsPerPoint));
}
} // namespace

QSize PrinterSurface::pageSize(const QString &printerName, QPageLayout::Orientation orientation)
{
    return twipsOf(*makePrinter(printerName, orientation));
}

PrinterSurface::PrinterSurface(const QString &printerName, const QString &pdfPath, QPageLayout::Orientation orientation)
    : PrintSurface(pageSize(printerName, orientation).width(), pageSize(printerName, orientation).height()),
      printer_(makePrinter(printerName, orientation)), pdfPath_(printerName.isEmpty() ? pdfPath : QString())
{
    if (!pdfPath_.isEmpty())
        printer_->setOutputFileName(pdfPath_);
    printer_->setDocName(QStringLiteral("WVS"));
}

PrinterSurface::~PrinterSurface() { abortIfOpen(); }

QPainter *PrinterSurface::beginPage(bool first)
{
    if (first) {
        // The painter is the document's only once it has begun: a file that
        // could not be opened (read-only, in a missing folder) was never
        // written, and neither ending nor aborting touches it.
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(printer_.get()))
            // The user can choose another printer or file: said, and the program goes on.
            throw WvsError(ErrorNumber::Recoverable,
                           pdfPath_.isEmpty() ? QStringLiteral("The printer could not be opened")
                                              : QStringLiteral("Cannot write the file ") + pdfPath_);
        p_ = std::move(painter);
        p_->setRenderHint(QPainter::Antialiasing);
        p_->setRenderHint(QPainter::TextAntialiasing);
        p_->setRenderHint(QPainter::SmoothPixmapTransform);
    } else if (!printer_->newPage()) {
        throw WvsError(ErrorNumber::General, QStringLiteral("The printer did not accept a new page"));
    }
    return p_.get();
}

void PrinterSurface::finishDocument()
{
    if (!p_)
        return;   // nothing was drawn: no document
    const bool ended = !p_->isActive() || p_->end();
    // The PDF writer does not report a file it could not write (a missing
    // folder, a full disk): a file that does not end in its trailer was not
    // written whole, and is removed rather than reported as printed.
    if (!pdfPath_.isEmpty() && (!ended || !pdfFileComplete(pdfPath_))) {
        QFile::remove(pdfPath_);
        throw WvsError(ErrorNumber::Recoverable, QStringLiteral("Cannot write the file ") + pdfPath_);
    }
}

bool pdfFileComplete(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 8)
        return false;
    f.seek(std::max<qint64>(0, f.size() - 64));
    return f.readAll().contains("%%EOF");
}

void PrinterSurface::abortDocument()
{
    // Nothing half-written stays behind: the job is cancelled and a partial
    // PDF file removed. A document never begun wrote nothing, and a file of
    // that name is not this document's to remove.
    if (!p_)
        return;
    if (p_->isActive()) {
        printer_->abort();
        p_->end();
    }
    if (!pdfPath_.isEmpty())
        QFile::remove(pdfPath_);
}

double PrinterSurface::pixelsPerTwip() const { return printer_->resolution() / 1440.0; }

const QPaintDevice *PrinterSurface::device() const { return printer_.get(); }

// ---- in-memory page ---------------------------------------------------------

ImageSurface::ImageSurface(int widthTwips, int heightTwips, double dpi) : PrintSurface(widthTwips, heightTwips), dpi_(dpi)
{
    image_ = QImage(qRound(widthTwips * dpi / 1440.0), qRound(heightTwips * dpi / 1440.0), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

ImageSurface::~ImageSurface() { abortIfOpen(); }

QPainter *ImageSurface::beginPage(bool first)
{
    if (!first) {
        // One page only: a later page starts on a clean sheet.
        p_.reset();
        image_.fill(Qt::white);
        drawn_.clear();
    }
    if (!p_) {
        p_ = std::make_unique<QPainter>(&image_);
        p_->setRenderHint(QPainter::Antialiasing);
        p_->setRenderHint(QPainter::TextAntialiasing);
        p_->setRenderHint(QPainter::SmoothPixmapTransform);
    }
    return p_.get();
}

void ImageSurface::finishDocument() { p_.reset(); }
void ImageSurface::abortDocument() { p_.reset(); }

} // namespace wvs
