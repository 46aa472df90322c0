#include "output/PreviewForm.h"
#include "output/PagedPrintout.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/MessageBox.h"
#include "platform/PrintSurface.h"
#include "platform/Printers.h"
#include "core/Session.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace wvs {

namespace {
constexpr int kLandscapeCanvas = 1000;   // pixels: 15000 twips on the screen
constexpr int kPortraitCanvas = 774;     // 11610 twips
constexpr int kCanvasHeight = 610;       // 9150 twips
} // namespace

PreviewForm::PreviewForm(QWidget *parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    Pic = new QLabel(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pic->setStyleSheet(QStringLiteral("background: white;"));
    Scroll = new QScrollArea(this);
    Scroll->setObjectName(QStringLiteral("PicScroll"));
    Scroll->setWidget(Pic);
    Scroll->setWidgetResizable(false);
    Scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Scroll->setStyleSheet(QStringLiteral("QScrollArea { background: #808080; }"));

    auto arrow = [&](const char *name, QStyle::StandardPixmap icon, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
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
    ExitButton->setFont(tahoma);
    PrintButton->setFont(tahoma);

    auto *bar = new QHBoxLayout;
    bar->addWidget(ExitButton);
    bar->addWidget(PrintButton);
    bar->addStretch();
    bar->addWidget(PreviousImage);
    bar->addWidget(NextImage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 6);
    layout->addWidget(Scroll, 1);
    layout->addLayout(bar);
    Scroll->setFixedSize(kLandscapeCanvas + 20, kCanvasHeight);

    connect(PreviousImage, &QToolButton::clicked, this, &PreviewForm::PreviousImage_Click);
    connect(NextImage, &QToolButton::clicked, this, &PreviewForm::NextImage_Click);
    connect(ExitButton, &QPushButton::clicked, this, &PreviewForm::ExitButton_Click);
    connect(PrintButton, &QPushButton::clicked, this, &PreviewForm::PrintButton_Click);
}

PreviewForm::~PreviewForm() = default;

void PreviewForm::firstActivate()
{
    guarded(windowName(), "Form_Activate", [&] {
        printout_ = makePrintout();
        if (!printout_ || !printout_->load()) {
            // Nothing to page through: the window stays, empty, until closed.
            printout_.reset();
            PreviousImage->setEnabled(false);
            NextImage->setEnabled(false);
            PrintButton->setEnabled(false);
            msgBox(QStringLiteral("Nothing to print"));
            return;
        }
        const auto orientation = printout_->orientation();
        pageTwips_ = currentPageSize(orientation);
        const int canvas = orientation == QPageLayout::Portrait ? kPortraitCanvas : kLandscapeCanvas;
        dpi_ = canvas * 1440.0 / pageTwips_.width();
        Scroll->setFixedSize(canvas + 20, kCanvasHeight);
        adjustSize();
        NextImage_Click();
    });
}

void PreviewForm::showPage()
{
    auto kept = pages_.constFind(PageNumber);
    if (kept != pages_.constEnd()) {
        shown_.loadFromData(*kept, "PNG");
    } else {
        ImageSurface surface(pageTwips_.width(), pageTwips_.height(), dpi_);
        const bool more = printout_->drawPage(surface, PageNumber - 1);
        ++drawn_;
        if (!more)
            LastPageNumber = PageNumber;
        shown_ = surface.image();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        shown_.save(&buffer, "PNG", 90);
        pages_.insert(PageNumber, png);
    }
    Pic->setPixmap(QPixmap::fromImage(shown_));
    Pic->resize(shown_.size());
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

void PreviewForm::PrintButton_Click()
{
    guarded(windowName(), "PrintButton_Click", [&] {
        if (std::unique_ptr<PagedPrintout> printout = makePrintout())
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
