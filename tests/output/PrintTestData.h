#pragma once
#include "output/PagedPrintout.h"
#include "output/SchedulePrintSelection.h"
#include "platform/FileDialog.h"
#include "platform/Printers.h"
#include "platform/PrintSurface.h"
#include "scheduling/ScheduleTestData.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <functional>

namespace wvs::printtest {

using Drawn = PrintSurface::Drawn;
using Page = QVector<Drawn>;

// What each page of a loaded printout draws on a sheet of `size` twips, and where (no pixels).
inline QVector<Page> layOut(PagedPrintout &printout, QSize size)
{
    QVector<Page> pages;
    for (bool more = true; more && pages.size() < 300;) {
        ImageSurface surface(size.width(), size.height(), 12);
        more = printout.drawPage(surface, pages.size());
        pages << surface.drawn();
    }
    EXPECT_LT(pages.size(), 300) << "the pages never end";
    return pages;
}

// The texts a page draws, in order.
inline QStringList texts(const Page &page)
{
    QStringList out;
    for (const Drawn &d : page)
        if (d.kind == Drawn::Text)
            out << d.text;
    return out;
}

// A schedule fixture that prints into PDF files of its folder (the only printer: "PDF file"), read back as text.
class PrintDbTest : public schedtest::ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        printers_ = std::make_unique<PrinterScript>(QStringList());
        files_ = std::make_unique<FileDialogScript>();
        schedule_ = addSchedule(QStringLiteral("2025-01-01"), QStringLiteral("2025-12-31"), QStringLiteral("Closed"));
        schedulePrintSelection() = SchedulePrintSelection::all();
    }
    void TearDown() override
    {
        files_.reset();
        printers_.reset();
        ScheduleDbTest::TearDown();
    }

    // The path the next print is saved to.
    QString nextPdf(const QString &name = QStringLiteral("out.pdf"))
    {
        const QString path = QDir(dir_->path()).filePath(name);
        files_->answer(path);
        return path;
    }

    // The pages that `print` puts into the next PDF file, as text.
    QStringList printed(const std::function<void()> &print)
    {
        const QString pdf = nextPdf();
        print();
        return pdfPages(pdf);
    }

    // The pages of a PDF file as text, laid out as printed.
    static QStringList pdfPages(const QString &path)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        p.waitForFinished(30000);
        const QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
        return pages.mid(0, pages.size() - (pages.last().trimmed().isEmpty() ? 1 : 0));
    }

    // The words of a PDF file as laid out on its pages: their left and right ends and their page's width, in points.
    struct PdfWord {
        double left, right, pageWidth;
        QString text;
    };
    static QVector<PdfWord> pdfWords(const QString &path)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
        p.waitForFinished(30000);
        static const QRegularExpression item(QStringLiteral(
            R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
        QVector<PdfWord> words;
        double width = 0;
        for (const QRegularExpressionMatch &m : item.globalMatch(QString::fromUtf8(p.readAllStandardOutput()))) {
            if (m.capturedLength(1))
                width = m.captured(1).toDouble();
            else
                words.append({m.captured(2).toDouble(), m.captured(3).toDouble(), width, m.captured(4)});
        }
        return words;
    }

    // A customer job of an associate stored on the given dates (of schedule_ unless another is named).
    qint64 jobOn(const QString &associate, const QStringList &dates, const schedtest::CustomerData &c = {},
                 schedtest::JobData j = {}, qint64 schedule = 0)
    {
        j.customer = addCustomer(c);
        j.associate = associate;
        const qint64 job = addJob(j);
        for (const QString &d : dates)
            storeJob(schedule ? schedule : schedule_, job, d, ++seq_, QString(), QString());
        return job;
    }

    // The customer "Hart" (no forename), one job stored on 3 March 2025: the notes printouts' customer.
    void addNotedCustomer(qint64 schedule)
    {
        customer_ = addCustomer({.surname = QStringLiteral("Hart"), .forename = QString()});
        job_ = addJob({.customer = customer_});
        storeJob(schedule, job_, QStringLiteral("2025-03-03"), 1);
    }
    void addCustomerNote(const QString &time, const QString &detail)
    {
        writeSql(QStringLiteral("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail, NoteAuthor) "
                                "VALUES (?, ?, ?, ?)"),
                 {customer_, time, detail, QStringLiteral("Administrator")});
    }

    qint64 schedule_ = 0;   // the year 2025, closed
    int seq_ = 0;
    qint64 customer_ = 0;
    qint64 job_ = 0;
    std::unique_ptr<PrinterScript> printers_;
    std::unique_ptr<FileDialogScript> files_;
};

} // namespace wvs::printtest
