#pragma once
#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QVector>
#include <QString>
#include <memory>
#include <optional>

class QPaintDevice;
class QPainter;
class QPrinter;

namespace wvs {

// A page to draw on in the printer's terms: positions in twips (1440 to the
// inch) from the sheet's top left corner, a current position that printing
// moves, and the font and colour of the text that follows. Printouts are
// written once against this and drawn on paper, into a PDF file or into an
// in-memory page image for the previews.
//
// Print draws a text with its top at CurrentY and then moves to the start of
// the next line (CurrentX to 0, CurrentY down one line of the current font);
// Print(text, true) keeps the line and leaves the position just after the
// text. Line leaves the position at its end point. "Arial" is drawn with
// Liberation Sans, which has the same metrics, and text is measured without
// hinting, so widths are the same on every workstation.
//
// A new page is begun only when something is drawn on it: NewPage followed
// by EndDoc never leaves a blank page.
class PrintSurface {
public:
    virtual ~PrintSurface();

    double CurrentX = 0;
    double CurrentY = 0;
    QString FontName = QStringLiteral("Arial");
    double FontSize = 9;
    bool FontBold = false;
    bool FontItalic = false;
    QColor ForeColor = Qt::black;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Page() const { return page_; }

    void Print(const QString &text, bool keepLine = false);
    // A text's width in the current font, measured on the device the page is
    // drawn on, as Print lays it out: a line as wide as this ends there.
    double TextWidth(const QString &text) const;
    double TextHeight() const;
    void Line(double x1, double y1, double x2, double y2);
    // Draws a picture at its own size (96 pixels to the inch) with its top left corner at (x, y).
    void PaintPicture(const QImage &picture, double x, double y);
    void NewPage();
    // Ends the document; a surface destroyed without EndDoc is aborted.
    void EndDoc();

    bool ended() const { return ended_; }
    // The file the pages are written to; empty for a printer or a page in memory.
    virtual QString outputFile() const { return QString(); }

    // What was drawn where, for a surface that keeps it (a preview page).
    struct Drawn {
        enum Kind { Text, Picture, Rule };
        Kind kind;
        QString text;     // Text only
        QRectF at;        // twips: a text's line box, a picture's box, a rule's two ends
        double size = 0;  // Text: its type size in points
    };

protected:
    PrintSurface(int widthTwips, int heightTwips);
    // Told of everything drawn on the current page; most surfaces keep nothing.
    virtual void drew(const Drawn &) {}
    // The painter of the page about to be drawn on, beginning it when needed.
    QPainter &painter();
    virtual QPainter *beginPage(bool first) = 0;   // a painter in device pixels
    virtual void finishDocument() = 0;
    virtual void abortDocument() = 0;
    virtual double pixelsPerTwip() const = 0;
    // The device the pages are drawn on, which texts are measured for.
    virtual const QPaintDevice *device() const = 0;
    void abortIfOpen();

private:
    QFont font() const;
    // The metrics of the current font on the device, kept while the font stays.
    const QFontMetricsF &metrics() const;
    struct Measured {
        QString name;
        double size;
        bool bold, italic;
        bool operator==(const Measured &) const = default;
    };
    mutable std::optional<Measured> measured_;
    mutable std::optional<QFontMetricsF> metrics_;
    int width_;
    int height_;
    int page_ = 1;
    bool started_ = false;     // the current page has been begun
    bool anyPage_ = false;
    bool ended_ = false;
    QPainter *painter_ = nullptr;
};

// Pages sent to a printer of the workstation, or written as a PDF file.
class PrinterSurface : public PrintSurface {
public:
    // printerName empty: a PDF file at pdfPath.
    PrinterSurface(const QString &printerName, const QString &pdfPath, QPageLayout::Orientation orientation);
    ~PrinterSurface() override;
    QString outputFile() const override { return pdfPath_; }

    // The sheet's size in twips for that printer and orientation.
    static QSize pageSize(const QString &printerName, QPageLayout::Orientation orientation);

protected:
    QPainter *beginPage(bool first) override;
    void finishDocument() override;
    void abortDocument() override;
    double pixelsPerTwip() const override;
    const QPaintDevice *device() const override;

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> p_;
    QString pdfPath_;
};

// True when the PDF file at path was written to its end (its trailer is there).
bool pdfFileComplete(const QString &path);

// One page drawn into memory, for a preview. Keeps no page but the one drawn,
// with what was drawn on it.
class ImageSurface : public PrintSurface {
public:
    ImageSurface(int widthTwips, int heightTwips, double dpi = 96);
    ~ImageSurface() override;
    // The texts, pictures and rules of the page, in the order drawn.
    const QVector<Drawn> &drawn() const { return drawn_; }
    // Ends the drawing and hands back the page (white where nothing was drawn).
    QImage image()
    {
        EndDoc();
        return image_;
    }

protected:
    QPainter *beginPage(bool first) override;
    void finishDocument() override;
    void abortDocument() override;
    double pixelsPerTwip() const override { return dpi_ / 1440.0; }
    const QPaintDevice *device() const override { return &image_; }
    void drew(const Drawn &d) override { drawn_ << d; }

private:
    double dpi_;
    QVector<Drawn> drawn_;
    QImage image_;
    std::unique_ptr<QPainter> p_;
};

} // namespace wvs
