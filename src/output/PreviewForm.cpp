#include "output/PreviewForm.h"
#include "common/Formats.h"
#include "output/PagedPrintout.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/PrintSurface.h"
#include "platform/Printers.h"
#include "core/Session.h"

#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace wvs {

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kCanvasHeight = 9150;
constexpr double kScreenDpi = 1440.0 / kTwipsPerPixel;

int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
} // namespace

PreviewForm::PreviewForm(const PreviewDesign &design, QWidget *parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    Pic = new QLabel(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pic->setAutoFillBackground(true);
    QPalette white = Pic->palette();
    white.setColor(QPalette::Window, Qt::white);
    Pic->setPalette(white);

    auto arrow = [&](const char *name, QStyle::StandardPixmap icon, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(px(240), px(240)));
        b->setAutoRaise(true);
        b->setToolTip(tip);
        return b;
    };
    PreviousImage = arrow("PreviousImage", QStyle::SP_ArrowLeft, QStringLiteral("Previous page"));
    NextImage = arrow("NextImage", QStyle::SP_ArrowRight, QStringLiteral("Next page"));
    ExitButton = makeButton("ExitButton", QStringLiteral("&Close"));
    ExitButton->setToolTip(QStringLiteral("Close this window"));
    PrintButton = makeButton("PrintButton", QStringLiteral("&Print"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(8);
    ExitButton->setFont(tahoma);
    PrintButton->setFont(tahoma);
    applyDesign(design);

    connect(PreviousImage, &QToolButton::clicked, this, &PreviewForm::PreviousImage_Click);
    connect(NextImage, &QToolButton::clicked, this, &PreviewForm::NextImage_Click);
    connect(ExitButton, &QPushButton::clicked, this, &PreviewForm::ExitButton_Click);
    connect(PrintButton, &QPushButton::clicked, this, &PreviewForm::PrintButton_Click);
}

PreviewForm::~PreviewForm() = default;

void PreviewForm::applyDesign(const PreviewDesign &d)
{
    setFixedSize(px(d.width), px(d.height));
    Pic->setGeometry(0, 0, px(d.canvasWidth), px(kCanvasHeight));
    PreviousImage->setGeometry(px(d.previousLeft), px(9360), px(240), px(240));
    NextImage->setGeometry(px(d.nextLeft), px(9360), px(240), px(240));
    ExitButton->setGeometry(px(105), px(9285), px(735), px(375));
    PrintButton->setGeometry(px(885), px(9285), px(735), px(375));
}

void PreviewForm::firstActivate()
{
    guarded(windowName(), "Form_Activate", [&] {
        printout_ = makePrintout(PageMedium::Kind::Screen);
        if (!printout_ || !printout_->load()) {
            // Nothing to page through: the window stays, empty, until closed.
            printout_.reset();
            PreviousImage->setEnabled(false);
            NextImage->setEnabled(false);
            PrintButton->setEnabled(false);
            msgBox(QStringLiteral("Nothing to print"));
            return;
        }
        NextImage_Click();
    });
}

void PreviewForm::showPage()
{
    auto kept = pages_.constFind(PageNumber);
    if (kept != pages_.constEnd()) {
        shown_.loadFromData(*kept, "PNG");
    } else {
        const QSize page = printout_->medium().page;
        ImageSurface surface(page.width(), page.height(), kScreenDpi);
        const bool more = printout_->drawPage(surface, PageNumber - 1);
        ++drawn_;
        if (!more)
            LastPageNumber = PageNumber;
        QStringList texts;
        for (const PrintSurface::Drawn &d : surface.drawn())
            if (d.kind == PrintSurface::Drawn::Text)
                texts << d.text;
        texts_.insert(PageNumber, texts);
        shown_ = surface.image();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        shown_.save(&buffer, "PNG", 90);
        pages_.insert(PageNumber, png);
    }
    Pic->setPixmap(QPixmap::fromImage(shown_));
    AtLastPage = PageNumber == LastPageNumber;
    PagingControl();
}

void PreviewForm::NextImage_Click()
{
    guarded(windowName(), "NextImage_Click", [&] {
        if (!printout_ || AtLastPage)
            return;
        ++PageNumber;
        showPage();
    });
}

void PreviewForm::PreviousImage_Click()
{
    guarded(windowName(), "PreviousImage_Click", [&] {
        if (!printout_ || PageNumber <= 1)
            return;
        --PageNumber;
        showPage();
    });
}

void PreviewForm::PagingControl()
{
    AtFirstPage = PageNumber == 1;
    PreviousImage->setEnabled(!AtFirstPage);
    NextImage->setEnabled(!AtLastPage);
}

std::unique_ptr<PagedPrintout> PreviewForm::notesPrintout(NotesPrintout::Kind kind, const PageMedium &screen,
                                                         PageMedium::Kind medium) const
{
    const QStringList parts = tagParts();
    if (parts.size() < 3)
        return nullptr;
    return std::make_unique<NotesPrintout>(kind, parts.at(0).toLongLong(), Formats::fromShortDate(parts.at(1)),
                                           Formats::fromShortDate(parts.at(2)),
                                           medium == PageMedium::Kind::Screen ? screen : PageMedium::notesPaper());
}

void PreviewForm::PrintButton_Click()
{
    guarded(windowName(), "PrintButton_Click", [&] {
        if (std::unique_ptr<PagedPrintout> printout = makePrintout(PageMedium::Kind::Paper))
            PagedPrintout::printAll(*printout, this);
    });
}

void PreviewForm::ExitButton_Click()
{
    guarded(windowName(), "ExitButton_Click", [&] { done(QDialog::Accepted); });
}

void PreviewForm::done(int r)
{
    if (!restored_) {
        restored_ = true;
        setCurrentPrinter(session().defaultPrinterIndex);
    }
    Form::done(r);
}

} // namespace wvs
