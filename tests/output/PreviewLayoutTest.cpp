#include "output/JobSchedulePrintout.h"
#include "output/NotesPrintout.h"
#include "output/PreviewCustomerNotesForm.h"
#include "output/PreviewScheduleForm.h"
#include "output/PreviewScheduleNotesForm.h"
#include "customers/NotesForm.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleNotesForm.h"
#include "PrintTestData.h"
#include "support/Keys.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace wvs;
using namespace wvs::schedtest;
using namespace wvs::printtest;

namespace {

const int H = 9150;   // the screen page's height in twips

// The first text drawn that is (or contains) a text; nullptr when none.
const Drawn *textOf(const Page &page, const QString &text, bool whole = true)
{
    for (const Drawn &d : page)
        if (d.kind == Drawn::Text && (whole ? d.text == text : d.text.contains(text)))
            return &d;
    return nullptr;
}
double sizeOf(const Page &page, const QString &text) { return textOf(page, text) ? textOf(page, text)->size : -1; }

// What a page draws of a kind; texts only those that begin with a prefix.
QVector<Drawn> ofKind(const Page &page, Drawn::Kind kind, const QString &prefix = {})
{
    QVector<Drawn> out;
    for (const Drawn &d : page)
        if (d.kind == kind && d.text.startsWith(prefix))
            out << d;
    return out;
}

// n numbered words: "word000 word001 ...".
QString numbered(const char *word, int n, int digits)
{
    QString out;
    for (int i = 0; i < n; ++i)
        out += QStringLiteral("%1%2 ").arg(QLatin1String(word)).arg(i, digits, 10, QLatin1Char('0'));
    return out;
}

// Nothing but the footer reaches the footer's rule.
void expectClearOfFooter(const QVector<Page> &pages, const PageMedium &m, int h)
{
    static const QRegularExpression footer("^(Page |Date printed|Planned with $|Workvane$| scheduling$)");
    const int rule = m.footerRule(h);
    for (int p = 0; p < pages.size(); ++p) {
        for (const Drawn &d : pages.at(p)) {
            if (d.kind == Drawn::Text && !d.text.contains(footer))
                EXPECT_LE(d.at.bottom(), rule + 0.5) << "page " << p + 1 << ": " << d.text.toStdString();
            if (d.kind == Drawn::Picture && d.at.top() < rule)
                EXPECT_LE(d.at.bottom(), rule) << "page " << p + 1;
            if (d.kind == Drawn::Rule && qAbs(d.at.top() - rule) > 0.5)
                EXPECT_LT(d.at.top(), rule) << "page " << p + 1;
        }
        // A date line always has its first row under it on the same page.
        static const QRegularExpression dateLine("^Administrator \\w+day ");
        QStringList body = texts(pages.at(p));
        body.removeIf([](const QString &t) { return t.contains(footer); });
        EXPECT_FALSE(!body.isEmpty() && body.last().contains(dateLine)) << "page " << p + 1 << " ends on a date line";
    }
}

class PreviewLayoutTest : public printtest::PrintDbTest {
protected:
    void SetUp() override
    {
        PrintDbTest::SetUp();
        schedulePrintSelection().breakOnDate = false;
    }

    QVector<Page> preview(qint64 schedule = 0, bool portrait = false)
    {
        JobSchedulePrintout p(schedule ? schedule : schedule_, QString(), schedulePrintSelection(),
                              PageMedium::jobScheduleScreen(portrait));
        EXPECT_TRUE(p.load());
        return layOut(p, p.medium().page);
    }
};


TEST_F(PreviewLayoutTest, AssociatesAndDatesBreakThePagesUnderTheScreensTypeAndFooter)
{
    addAssociate("BOB", "Bob Brown", "pw", 1);
    jobOn("ADM", {"2025-03-03", "2025-03-04"});
    jobOn("BOB", {"2025-03-03"});
    QVector<Page> pages = preview();
    ASSERT_EQ(pages.size(), 2);   // a second associate always starts a page
    const Page &p = pages.first();
    EXPECT_EQ(sizeOf(p, "Job Schedule"), 12);
    EXPECT_EQ(sizeOf(p, "1 Main Road"), 8);
    EXPECT_EQ(sizeOf(p, "Administrator Tuesday 04 Mar 2025"), 10);
    EXPECT_EQ(texts(p).filter("Monday 03 Mar 2025").size(), 1);   // the heading only, no date line
    EXPECT_TRUE(textOf(pages.at(1), "Bob Brown Monday 03 Mar 2025"));
    EXPECT_FALSE(textOf(pages.at(1), "Administrator", false));
    // The screen's footer: a rule at H - 600 and the page number, no date printed.
    EXPECT_TRUE(textOf(p, "Page 1") && texts(p).filter("Date printed").isEmpty());
    const QVector<Drawn> rules = ofKind(p, Drawn::Rule);
    EXPECT_TRUE(std::any_of(rules.begin(), rules.end(), [&](const Drawn &r) {
        return r.at.top() == H - 600 && r.at.left() == 515 && r.at.right() == 15000 - 515; }));

    schedulePrintSelection().breakOnDate = true;
    pages = preview();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(textOf(pages.at(1), "Administrator Tuesday 04 Mar 2025"));

    // Without the break: a date line while the rows above end by H - 2000, else a new page.
    // On paper the same holds with Height - 4000.
    schedulePrintSelection().breakOnDate = false;
    bool sawDateLine = false, sawNewPage = false, sawPaperDateLine = false, sawPaperNewPage = false;
    auto expectDateBreak = [](const QVector<Page> &pages, const QString &monday, const QString &tuesday, int limit,
                              int n, bool &sawDateLine, bool &sawNewPage) {
        for (int k = 0; k < pages.size(); ++k) {
            const Drawn *second = textOf(pages.at(k), tuesday);
            if (second && textOf(pages.at(k), monday)) {
                sawDateLine = true;
                EXPECT_LE(second->at.top() - 100, limit) << n;   // drawn 100 below the row's end
            } else if (second) {
                sawNewPage = true;
                ASSERT_GT(k, 0);
                const QVector<Drawn> rules = ofKind(pages.at(k - 1), Drawn::Rule);
                ASSERT_GE(rules.size(), 2);
                EXPECT_GT(rules.at(rules.size() - 2).at.top() + 100, limit) << n;   // the last row's rule
            }
        }
    };
    for (int n = 1; n <= 26; ++n) {
        const qint64 schedule = addSchedule("2026-01-01", "2026-12-31", "Closed");
        for (int i = 0; i < n; ++i)
            jobOn("ADM", {"2026-03-02"}, {}, {}, schedule);
        jobOn("ADM", {"2026-03-03"}, {}, {}, schedule);
        pages = preview(schedule);
        expectDateBreak(pages, "Administrator Monday 02 Mar 2026", "Administrator Tuesday 03 Mar 2026", H - 2000, n,
                        sawDateLine, sawNewPage);
        JobSchedulePrintout paper(schedule, QString(), schedulePrintSelection());
        ASSERT_TRUE(paper.load());
        const QSize a4(16838, 11906);
        expectDateBreak(layOut(paper, a4), "Administrator Monday 02/03/2026", "Administrator Tuesday 03/03/2026",
                        a4.height() - 4000, n, sawPaperDateLine, sawPaperNewPage);
    }
    EXPECT_TRUE(sawDateLine && sawNewPage);
    EXPECT_TRUE(sawPaperDateLine && sawPaperNewPage);
}

TEST_F(PreviewLayoutTest, NamesAndPhonesAreCutAndTheCheckBoxStandsBesideTheLastCommentLine)
{
    jobOn("ADM", {"2025-03-03"},
          {.surname = "Featherstonehaugh-Cholmondeley", .forename = "Ann",
           .phone1 = "0800 123 456 789 012 345 678 9"},   // 30 characters
          {.comment = "Ring the bell twice and wait, then go round to the back gate", .commentOnSchedule = true});
    jobOn("ADM", {"2025-03-03"}, {.surname = "", .forename = "Ngaire", .preferredPhone = 4});

    Page p = preview().first();
    EXPECT_TRUE(textOf(p, "Featherstonehaugh-Cholmondel") && textOf(p, "0800 123 456 789 012 345 "));
    EXPECT_FALSE(textOf(p, "09 333 3333"));   // no preferred phone: an empty phone column
    // Every column and the check box: a 3335-twip comment column, 35 characters a line.
    const Drawn *ngaire = textOf(p, "Ngaire");
    const Drawn *last = textOf(p, "go round to the back gate");
    ASSERT_TRUE(ngaire && last && textOf(p, "Ring the bell twice and wait, then ")) << texts(p).join('\n').toStdString();
    QVector<Drawn> boxes = ofKind(p, Drawn::Picture);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0).at.topLeft(), QPointF(15000 - 765, last->at.top()));
    EXPECT_EQ(boxes.at(1).at.topLeft(), QPointF(15000 - 765, ngaire->at.top()));   // no comment: on the first line

    // Comments not chosen: the box follows the last chosen column on the first line.
    schedulePrintSelection().comments = false;
    p = preview().first();
    boxes = ofKind(p, Drawn::Picture);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(1).at.topLeft(), QPointF(10900, textOf(p, "Ngaire")->at.top()));

    // What each row prints, column by column, on paper as on screen: the name of one or both names, the
    // preferred phone (none for another choice), the address lines that are filled, and each comment
    // whose flag is set.
    schedulePrintSelection().comments = true;
    const qint64 s = addSchedule("2026-01-01", "2026-12-31", "Closed");
    const struct {
        CustomerData customer;
        const char *line2, *line3, *suburb;
        JobData job;
        QStringList printed;
    } rows[] = {
        {{.surname = "Brown", .forename = "Ann", .phone1 = "P1-a", .phone2 = "P2-a", .phone3 = "P3-a", .preferredPhone = 1,
          .comment = "CustA", .commentOnSchedule = true}, "L2-a", "", "Sub-a", {.comment = "JobA", .commentOnSchedule = true},
         {"Brown, Ann", "1 Main Road", "L2-a", "Sub-a", "P1-a", "Window cleaning", "$45.00", "CustA", "JobA"}},
        {{.surname = "Cole", .forename = "", .phone1 = "P1-b", .phone2 = "P2-b", .phone3 = "P3-b", .preferredPhone = 2,
          .comment = "CustB", .commentOnSchedule = true}, "", "L3-b", "", {.comment = "JobB-off"},
         {"Cole", "1 Main Road", "L3-b", "P2-b", "Window cleaning", "$45.00", "CustB"}},
        {{.surname = "", .forename = "Dot", .phone1 = "P1-c", .phone2 = "P2-c", .phone3 = "P3-c", .preferredPhone = 3,
          .comment = "CustC-off"}, "L2-c", "L3-c", "Sub-c", {.comment = "JobC", .commentOnSchedule = true},
         {"Dot", "1 Main Road", "L2-c", "L3-c", "Sub-c", "P3-c", "Window cleaning", "$45.00", "JobC"}},
        {{.surname = "Ellis", .forename = "Eve", .phone1 = "P1-d", .phone2 = "P2-d", .phone3 = "P3-d", .preferredPhone = 0,
          .comment = "CustD-off"}, "", "", "Sub-d", {.comment = "JobD-off"},
         {"Ellis, Eve", "1 Main Road", "Sub-d", "Window cleaning", "$45.00", "Brown, Ann"}},   // the next row
    };
    for (const auto &r : rows) {
        JobData j = r.job;
        j.customer = addCustomer(r.customer);
        j.address = addAddress(j.customer, "1 Main Road", r.suburb, r.line2, r.line3);
        storeJob(s, addJob(j), "2026-03-02", ++seq_, QString(), QString());
    }
    storeJob(s, addJob({.customer = addCustomer({.surname = "Brown", .forename = "Ann"})}), "2026-03-02", ++seq_,
             QString(), QString());
    JobSchedulePrintout paper(s, QString(), schedulePrintSelection());
    ASSERT_TRUE(paper.load());
    for (const QVector<Page> &pages : {preview(s), layOut(paper, {16838, 11906})}) {
        ASSERT_EQ(pages.size(), 1);
        const QStringList drawn = texts(pages.first());
        for (const auto &r : rows) {
            const qsizetype at = drawn.indexOf(r.printed.first());
            EXPECT_EQ(drawn.mid(at, r.printed.size()), r.printed) << drawn.join('|').toStdString();
        }
        EXPECT_TRUE(drawn.filter("-off").isEmpty()) << drawn.join('|').toStdString();
    }

    // The name is cut at 28 characters and the phone at 25 on paper too.
    JobSchedulePrintout first(schedule_, QString(), schedulePrintSelection());
    ASSERT_TRUE(first.load());
    const QStringList sheet = texts(layOut(first, {16838, 11906}).first());
    EXPECT_TRUE(sheet.contains("Featherstonehaugh-Cholmondel") && sheet.contains("0800 123 456 789 012 345 "))
        << sheet.join('|').toStdString();

    // A comment of exactly a line's length is one line, one character more makes two: 35 characters on
    // screen, 60 on paper, with every column and the check box.
    const qint64 lengths = addSchedule("2026-01-01", "2026-12-31", "Closed");
    const QString screen35 = QString(17, 'a') + ' ' + QString(17, 'b'), screen36 = QString(17, 'c') + ' ' + QString(18, 'd');
    const QString paper60 = QString(29, 'e') + ' ' + QString(30, 'f'), paper61 = QString(29, 'g') + ' ' + QString(31, 'h');
    for (const QString &comment : {screen35, screen36, paper60, paper61})
        jobOn("ADM", {"2026-03-02"}, {}, {.comment = comment, .commentOnSchedule = true}, lengths);
    const QStringList onScreen = texts(preview(lengths).first());
    for (const QString &line : {screen35, QString(17, 'c') + ' ', QString(18, 'd')})
        EXPECT_TRUE(onScreen.contains(line)) << line.toStdString() << "\n" << onScreen.join('|').toStdString();
    JobSchedulePrintout second(lengths, QString(), schedulePrintSelection());
    ASSERT_TRUE(second.load());
    const QStringList onPaper = texts(layOut(second, {16838, 11906}).first());
    for (const QString &line : {paper60, QString(29, 'g') + ' ', QString(31, 'h')})
        EXPECT_TRUE(onPaper.contains(line)) << line.toStdString() << "\n" << onPaper.join('|').toStdString();
}

TEST_F(PreviewLayoutTest, ACommentThatDoesNotFitGoesOnAtTheCommentsColumnOfTheNextPage)
{
    jobOn("ADM", {"2025-03-03"});
    jobOn("ADM", {"2025-03-03"}, {}, {.comment = numbered("word", 150, 3) + "ENDMARK", .commentOnSchedule = true});   // the last row

    const QVector<Page> pages = preview();   // ends: the page with the rest is the last
    ASSERT_GE(pages.size(), 2);
    EXPECT_FALSE(textOf(pages.first(), "ENDMARK", false));
    EXPECT_EQ(ofKind(pages.first(), Drawn::Picture).size(), 1);   // the first row's box only
    // The row's other columns are not repeated.
    EXPECT_FALSE(textOf(pages.at(1), "1 Main Road") || textOf(pages.at(1), "Smith, Anna"));
    const QVector<Drawn> boxes = ofKind(pages.last(), Drawn::Picture);
    const Drawn *end = textOf(pages.last(), "ENDMARK", false);
    ASSERT_TRUE(boxes.size() == 1 && end);
    EXPECT_EQ(boxes.first().at.top(), end->at.top());   // beside the last carried line
    for (const Page &p : pages)
        for (const Drawn &d : ofKind(p, Drawn::Text, "word"))
            EXPECT_EQ(d.at.left(), 10900) << d.text.toStdString();
    // A further line is drawn only while the line above it starts at H - 1000 or higher.
    EXPECT_GT(ofKind(pages.first(), Drawn::Text, "word").last().at.top(), H - 1000 - 400);
    // A comments column narrower than the table covers still wraps, and wrapping ends for any length.
    EXPECT_EQ(PageMedium::jobScheduleScreen(false).commentLineLength(-200), 20);
    EXPECT_EQ(wrapText("abc", 0), QStringList({"a", "b", "c"}));
}

TEST_F(PreviewLayoutTest, NoRowRunsAcrossTheFooterOnPaperOrOnScreen)
{
    // Rows of one to four address lines, ending at every height, and some long comments to carry.
    for (int i = 0; i < 60; ++i) {
        JobData j;
        j.customer = addCustomer();
        j.address = addAddress(j.customer, "1 Main Road", i % 4 > 2 ? "Ponsonby" : "", i % 4 > 0 ? "Unit 2" : "",
                               i % 4 > 1 ? "Block C" : "");
        j.comment = i % 9 == 4 ? numbered("w", 60, 0) + QStringLiteral("END%1.").arg(i) : QString();
        j.commentOnSchedule = i % 9 == 4;
        const qint64 job = addJob(j);
        storeJob(schedule_, job, "2025-03-03", ++seq_, QString(), QString());
        if (i % 7 == 0)
            storeJob(schedule_, job, QStringLiteral("2025-03-%1").arg(4 + i / 7, 2, 10, QLatin1Char('0')), ++seq_,
                     QString(), QString());
    }
    // Then a new date every few rows, so date lines fall at every height.
    for (int i = 0; i < 90; ++i) {
        const qint64 customer = addCustomer();
        const qint64 address = addAddress(customer, "2 Side Road", i % 5 > 0 ? "Ponsonby" : "", i % 5 > 1 ? "Unit 2" : "",
                                          i % 5 > 2 ? "Block C" : "");
        storeJob(schedule_, addJob({.customer = customer, .address = address}),
                 QDate(2025, 3, 12).addDays(i / 3).toString(Qt::ISODate), ++seq_, QString(), QString());
    }
    for (bool portrait : {false, true}) {
        schedulePrintSelection().comments = schedulePrintSelection().phone = !portrait;
        const QVector<Page> screen = preview(0, portrait);
        EXPECT_GE(screen.size(), 3);
        expectClearOfFooter(screen, PageMedium::jobScheduleScreen(portrait), H);

        JobSchedulePrintout paper(schedule_, QString(), schedulePrintSelection());
        ASSERT_TRUE(paper.load());
        const QSize a4 = portrait ? QSize(11906, 16838) : QSize(16838, 11906);
        const QVector<Page> printed = layOut(paper, a4);
        EXPECT_GE(printed.size(), 3);
        expectClearOfFooter(printed, paper.medium(), a4.height());
        // A row starts on a page while it starts by H - 1000 on screen, by Height - 2000 on paper.
        for (const auto &[pages, limit] : {std::pair{&screen, H - 1000}, std::pair{&printed, a4.height() - 2000}})
            for (int k = 0; k < pages->size(); ++k)
                for (const Drawn &d : ofKind(pages->at(k), Drawn::Text, "Smith, Anna"))
                    EXPECT_LE(d.at.top(), limit) << "page " << k + 1 << (portrait ? " upright" : " wide");
        // Every comment line is drawn once, some of them on the page they were carried to.
        for (const QVector<Page> *pages : {&screen, &printed}) {
            QString all;
            bool carried = false;
            for (const Page &p : *pages) {
                const QString page = texts(p).join(QString());
                all += page;
                carried |= page.count(QStringLiteral("w0 ")) != page.count(QStringLiteral("END"));
            }
            EXPECT_TRUE(carried || portrait);
            for (int k = 0; k < 60 && !portrait; ++k)
                EXPECT_EQ(all.count(QStringLiteral("w%1 ").arg(k)), 8) << k;   // seven rows, one of them twice
        }
    }

    // Rows of one line after a first row of one to ten comment lines, under headings with a contact line or
    // without, so that rows begin at every height: the last row of a page starts by H - 1000 on screen
    // (Height - 2000 on paper), and the next would not.
    schedulePrintSelection() = {.confirmed = true, .customerName = true, .comments = true};
    const QString word65 = QString(65, 'x');
    for (int lines = 1; lines <= 10; ++lines) {
        writeSql("INSERT OR REPLACE INTO Company (RowId, CompanyName, PTelephone) VALUES (1, 'Clean Co', ?)",
                 {lines / 2 % 2 ? "09 555" : ""});
        const qint64 schedule = addSchedule("2026-01-01", "2026-12-31", "Closed");
        jobOn("ADM", {"2026-03-02"}, {}, {.comment = QStringList(lines, word65).join(' '), .commentOnSchedule = true},
              schedule);
        for (int i = 0; i < 30; ++i)
            jobOn("ADM", {"2026-03-02"}, {}, {}, schedule);
        JobSchedulePrintout paper(schedule, QString(), schedulePrintSelection());
        ASSERT_TRUE(paper.load());
        const QSize a4(16838, 11906);
        for (const auto &[pages, limit] : {std::pair{preview(schedule), H - 1000},
                                           std::pair{layOut(paper, a4), a4.height() - 2000}}) {
            ASSERT_GE(pages.size(), 2) << lines;
            for (int k = 0; k + 1 < pages.size(); ++k) {
                const QVector<Drawn> rows = ofKind(pages.at(k), Drawn::Text, "Smith, Anna");
                ASSERT_GE(rows.size(), 2) << lines;
                const double last = rows.last().at.top(), next = 2 * last - rows.at(rows.size() - 2).at.top();
                EXPECT_LE(last, limit) << lines << " lines, page " << k + 1;
                EXPECT_GT(next, limit) << lines << " lines, page " << k + 1;
            }
        }
    }
}


class NotesPreviewTest : public PreviewLayoutTest {
protected:
    void SetUp() override
    {
        PreviewLayoutTest::SetUp();
        addNotedCustomer(schedule_);
    }
    QVector<Page> notes(NotesPrintout::Kind kind)
    {
        const bool customer = kind == NotesPrintout::Kind::Customer;
        NotesPrintout p(kind, customer ? customer_ : schedule_, d("2025-03-01"), d("2025-03-31"),
                        customer ? PageMedium::customerNotesScreen() : PageMedium::scheduleNotesScreen());
        EXPECT_TRUE(p.load());
        return layOut(p, p.medium().page);
    }
};

TEST_F(NotesPreviewTest, TheTwinsShowAWholePageTheirOwnHeadingsAndNoteLinesWrappedAt110Characters)
{
    // The lines of a note are the paper's (see the notes printout); the screen's dates differ by twin.
    addNote(schedule_, job_, "2025-03-03", "2025-03-10 10:15:00", "Action", "Check the gutters");
    addCustomerNote("2025-03-02 10:00:00", "Dog in the yard");
    // The preview windows show a whole page at the screen's own size.
    auto expectWholePage = [&](PreviewForm &&w, const QString &tag, QSize size, int canvas, const QString &showing = {}) {
        w.Tag = tag;
        w.show();
        settle();
        ASSERT_EQ(w.PageNumber, 1);
        EXPECT_EQ(w.size(), size);
        EXPECT_EQ(w.pageImage().size(), QSize(canvas, 610));   // the whole page, at the screen's own size
        EXPECT_FALSE(enabled(&w, "NextImage") || enabled(&w, "PreviousImage"));
        EXPECT_TRUE(showing.isEmpty() || w.pageText().contains(showing));
    };
    const QString schedule = QString::number(schedule_);
    expectWholePage(PreviewScheduleForm(), schedule + "~", {1000, 652}, 1000);
    schedulePrintSelection().portrait = true;
    schedulePrintSelection().comments = false;
    expectWholePage(PreviewScheduleForm(), schedule + "~", {780, 652}, 774);
    expectWholePage(PreviewScheduleNotesForm(), schedule + "~01/03/2025~31/03/2025", {774, 652}, 774, "Check the gutters");
    expectWholePage(PreviewCustomerNotesForm(), QString::number(customer_) + "~01/03/2025~31/03/2025", {774, 650}, 774,
                    "02 Mar 2025 Administrator");

    QStringList t = texts(notes(NotesPrintout::Kind::Schedule).first());
    for (const char *line : {"Schedule Job Notes", "From: 01/03/2025     To: 31/03/2025",
                             "10/03/2025 10:15:00 Administrator", "Note type: Action"})
        EXPECT_TRUE(t.contains(QString::fromLatin1(line))) << line << "\n" << t.join('\n').toStdString();

    // Letters narrow enough that the lines fit the page's width as well (see the wide notes below).
    const QString exactly = QString(54, 'a') + ' ' + QString(55, 'j');   // 110
    addCustomerNote("2025-03-05 10:00:00", exactly);
    addCustomerNote("2025-03-04 10:00:00", QString(54, 'c') + ' ' + QString(56, 'd'));   // 111
    addCustomerNote("2025-03-03 10:00:00", QString(250, 'l'));
    t = texts(notes(NotesPrintout::Kind::Customer).first());
    for (const QString &line : {QString("Customer Notes"), QString("From: 01 Mar 2025     To: 31-March-2025"),
                                QString("Customer:  Hart"), QString("02 Mar 2025 Administrator"),   // the date only
                                exactly, QString(54, 'c') + ' ', QString(56, 'd')})
        EXPECT_TRUE(t.contains(line)) << line.toStdString() << "\n" << t.join('\n').toStdString();
    EXPECT_TRUE(t.filter("Note type").isEmpty());
    EXPECT_EQ(t.filter(QRegularExpression("^l+$")), QStringList({QString(110, 'l'), QString(110, 'l'), QString(30, 'l')}));

    // On paper the lines of a note hold 120 characters, of either twin.
    const QString exactly120 = QString(59, 'f') + ' ' + QString(60, 'g');
    const QString over120 = QString(59, 'h') + ' ' + QString(61, 'i');
    addCustomerNote("2025-03-06 10:00:00", exactly120);
    addCustomerNote("2025-03-07 10:00:00", over120);
    addNote(schedule_, job_, "2025-03-03", "2025-03-06 10:00:00", "Action", exactly120);
    addNote(schedule_, job_, "2025-03-03", "2025-03-07 10:00:00", "Action", over120);
    addNote(schedule_, job_, "2025-03-03", "2025-03-08 10:00:00", "Action", QString(250, 'l'));
    for (auto kind : {NotesPrintout::Kind::Schedule, NotesPrintout::Kind::Customer}) {
        NotesPrintout paper(kind, kind == NotesPrintout::Kind::Customer ? customer_ : schedule_, d("2025-03-01"),
                            d("2025-03-31"));
        ASSERT_TRUE(paper.load());
        QStringList onPaper;
        for (const Page &p : layOut(paper, {11906, 16838}))
            onPaper << texts(p);
        for (const QString &line : {exactly120, QString(59, 'h') + ' ', QString(61, 'i')})
            EXPECT_TRUE(onPaper.contains(line)) << line.toStdString() << "\n" << onPaper.join('\n').toStdString();
        EXPECT_EQ(onPaper.filter(QRegularExpression("^l+$")),
                  QStringList({QString(120, 'l'), QString(120, 'l'), QString(10, 'l')}));
    }
}

namespace {
// The printout a notes preview window draws its pages from, for the window's Tag.
template <class Window>
struct NotesWindow : Window {
    QVector<Page> screenPages(const QString &tag)
    {
        this->Tag = tag;
        const std::unique_ptr<PagedPrintout> p = this->makePrintout(PageMedium::Kind::Screen);
        if (!p || !p->load())
            return {};
        return layOut(*p, p->medium().page);
    }
};
} // namespace

// Each twin's heading as laid out: the date line 150 (schedule) or 300
// (customer) below the title line; the customer's line 300 below the date
// line, at the margin.
TEST_F(NotesPreviewTest, EachTwinPutsItsDateLineItsOwnDistanceBelowTheTitle)
{
    addNote(schedule_, job_, "2025-03-03", "2025-03-10 10:15:00", "Action", "Check the gutters");
    addCustomerNote("2025-03-02 10:00:00", "Dog in the yard");
    const struct {
        QVector<Page> pages;
        const char *title;
        int dateGap;
    } twins[] = {
        {NotesWindow<PreviewScheduleNotesForm>().screenPages(QString::number(schedule_) + "~01/03/2025~31/03/2025"),
         "Schedule Job Notes", 150},
        {NotesWindow<PreviewCustomerNotesForm>().screenPages(QString::number(customer_) + "~01/03/2025~31/03/2025"),
         "Customer Notes", 300},
    };
    for (const auto &twin : twins) {
        SCOPED_TRACE(twin.title);
        ASSERT_EQ(twin.pages.size(), 1);
        const Page &page = twin.pages.first();
        const Drawn *title = textOf(page, twin.title);
        const Drawn *dates = textOf(page, "From: ", false);
        ASSERT_TRUE(title && dates);
        EXPECT_EQ(title->at.top(), 500);
        EXPECT_NEAR(dates->at.top() - title->at.bottom(), twin.dateGap, 0.01);
    }
    const Drawn *dates = textOf(twins[1].pages.value(0), "From: ", false);
    const Drawn *customer = textOf(twins[1].pages.value(0), "Customer:  Hart");
    ASSERT_TRUE(dates && customer);
    EXPECT_NEAR(customer->at.top() - dates->at.bottom(), 300, 0.01);
    EXPECT_EQ(customer->at.left(), 515);
}

TEST_F(NotesPreviewTest, ANoteCarriedToTheNextPageLeavesItsFirstLineBehind)
{
    const QString long_ = numbered("note", 700, 3);
    for (int i = 0; i < 6; ++i)
        addNote(schedule_, job_, "2025-03-03", QStringLiteral("2025-03-2%1 09:00:00").arg(i), "Action", "short");
    addNote(schedule_, job_, "2025-03-03", "2025-03-02 08:30:00", "Information", long_ + "TAILMARK");
    addCustomerNote("2025-03-02 08:30:00", long_ + "TAILMARK");

    for (auto kind : {NotesPrintout::Kind::Schedule, NotesPrintout::Kind::Customer}) {
        const bool schedule = kind == NotesPrintout::Kind::Schedule;
        const QVector<Page> pages = notes(kind);
        ASSERT_GE(pages.size(), 2);
        const QString firstLine = schedule ? "02/03/2025 08:30:00 Administrator" : "02 Mar 2025 Administrator";
        int shown = 0;
        for (const Page &p : pages)
            shown += texts(p).count(firstLine);
        EXPECT_EQ(shown, 1) << schedule;
        const QStringList last = texts(pages.last());
        EXPECT_TRUE(last.join(' ').contains("TAILMARK"));
        if (schedule)
            EXPECT_EQ(last.at(last.size() - 2), "Note type: Information");
        // Notes begin by H - 1650 (H - 1200 for a customer), text lines by H - 1100.
        for (const Page &p : pages)
            for (const Drawn &d : ofKind(p, Drawn::Text))
                EXPECT_LE(d.at.top(), d.text.endsWith(" Administrator") ? H - (schedule ? 1650 : 1200)
                                      : d.text.startsWith("note")      ? H - 1100 : H) << d.text.toStdString();
        expectClearOfFooter(pages, PageMedium::scheduleNotesScreen(), H);
        // A page ends inside the note only when its next line would start below H - 1100.
        for (int k = 0; k + 1 < pages.size(); ++k) {
            const QVector<Drawn> lines = ofKind(pages.at(k), Drawn::Text, "note");
            if (!lines.isEmpty() && textOf(pages.at(k + 1), "note", false) && !textOf(pages.at(k + 1), firstLine))
                EXPECT_GT(lines.last().at.bottom(), H - 1100) << "page " << k + 1;
        }
    }

    // On paper: notes begin by Height - 4000, further text lines by Height - 2000, and a page ends before a
    // note only when it would begin below Height - 4000, inside a note only when its next line would start
    // below Height - 2000. Notes of one to five lines bring their starts to many heights.
    for (int i = 0; i < 6; ++i)
        addCustomerNote(QStringLiteral("2025-03-2%1 09:00:00").arg(i), "short");
    for (int i = 0; i < 150; ++i) {
        const QString text = QStringList((i * i * 31 + 7) % 5 + 1, QString(119, 's')).join(' ');
        const QString time = QStringLiteral("2025-03-10 %1:%2:00").arg(10 + i / 60).arg(i % 60, 2, 10, QLatin1Char('0'));
        addCustomerNote(time, text);
        addNote(schedule_, job_, "2025-03-03", time, "Action", text);
    }
    const QSize a4(11906, 16838);
    for (auto kind : {NotesPrintout::Kind::Schedule, NotesPrintout::Kind::Customer}) {
        const bool schedule = kind == NotesPrintout::Kind::Schedule;
        NotesPrintout paper(kind, schedule ? schedule_ : customer_, d("2025-03-01"), d("2025-03-31"));
        ASSERT_TRUE(paper.load());
        const QVector<Page> pages = layOut(paper, a4);
        ASSERT_GE(pages.size(), 2) << schedule;
        for (int k = 0; k < pages.size(); ++k) {
            for (const Drawn &d : ofKind(pages.at(k), Drawn::Text))
                EXPECT_LE(d.at.top(), d.text.endsWith(" Administrator") && d.text.at(0).isDigit() ? a4.height() - 4000
                                      : d.text.startsWith("note")      ? a4.height() - 2000 : a4.height())
                    << d.text.toStdString();
            const QVector<Drawn> lines = ofKind(pages.at(k), Drawn::Text, "note");
            if (k + 1 < pages.size() && !lines.isEmpty())
                EXPECT_GT(lines.last().at.bottom(), a4.height() - 2000) << "page " << k + 1;
            const QVector<Drawn> rules = ofKind(pages.at(k), Drawn::Rule);
            const QStringList next = k + 1 < pages.size() ? texts(pages.at(k + 1)) : QStringList();
            const qsizetype body = schedule ? 2 : 3;   // after the title and period lines, and the customer line
            if (next.size() > body && next.at(body).endsWith(" Administrator") && rules.size() >= 2)
                EXPECT_GT(rules.at(rules.size() - 2).at.top() + 150, a4.height() - 4000) << "page " << k + 1;
        }
        expectClearOfFooter(pages, paper.medium(), a4.height());
    }
}


TEST_F(NotesPreviewTest, ScheduleNotesOfThePeriodPrintNewestFirstWithTheirBlocks)
{
    addNote(schedule_, job_, "2025-03-03", "2025-03-01 00:00:00", "Action", "first day");
    addNote(schedule_, job_, "2025-03-03", "2025-03-31 23:59:00", "Information", "last day");
    addNote(schedule_, job_, "2025-03-03", "2025-04-01 08:00:00", "Information", "outside");

    const QStringList pages = printed([&] { PrintScheduleNotes(schedule_, d("2025-03-01"), d("2025-03-31")); });
    ASSERT_EQ(pages.size(), 1);
    const QString p = pages.first();
    for (const char *text : {"Schedule Job Notes", "From: 01/03/2025", "To: 31/03/2025", "31/03/2025 23:59:00 Administrator",
                             "01/03/2025 Administrator", "Customer: Hart", "Service address: 1 Main Road Ponsonby",
                             "Note type: Action", "Page 1"})
        EXPECT_TRUE(p.contains(QLatin1String(text))) << text << "\n" << p.toStdString();
    EXPECT_LT(p.indexOf("last day"), p.indexOf("first day"));
    EXPECT_FALSE(p.contains("outside"));
    EXPECT_EQ(msgs_->texts(), QStringList({"Schedule Notes sent to printer"}));

    // A note's customer line is the forename, a blank and the surname, the blank kept without a forename,
    // on paper and on screen; a customer's notes are taken from the first day of the period to the last.
    const qint64 both = addJob({.customer = addCustomer({.surname = "Smith", .forename = "Anna"})});
    storeJob(schedule_, both, "2025-03-03", 2);
    addNote(schedule_, both, "2025-03-03", "2025-03-15 08:00:00", "Action", "both names");
    addCustomerNote("2025-02-28 23:59:59", "the day before");
    addCustomerNote("2025-03-01 00:00:00", "the first day");
    addCustomerNote("2025-03-31 23:59:59", "the last day");
    addCustomerNote("2025-04-01 00:00:00", "the day after");
    for (const bool screen : {false, true}) {
        NotesPrintout notes(NotesPrintout::Kind::Schedule, schedule_, d("2025-03-01"), d("2025-03-31"),
                            screen ? PageMedium::scheduleNotesScreen() : PageMedium::notesPaper());
        NotesPrintout customer(NotesPrintout::Kind::Customer, customer_, d("2025-03-01"), d("2025-03-31"),
                               screen ? PageMedium::customerNotesScreen() : PageMedium::notesPaper());
        ASSERT_TRUE(notes.load() && customer.load());
        const QSize page = screen ? notes.medium().page : QSize(11906, 16838);
        for (const auto &[n, lines] : {std::pair{&notes, QStringList({"Customer: Anna Smith", "Customer:  Hart"})},
                                       std::pair{&customer, QStringList({"Customer:  Hart", "the first day", "the last day"})}}) {
            QStringList drawn;
            for (const Page &p : layOut(*n, page))
                drawn << texts(p);
            for (const QString &line : lines)
                EXPECT_TRUE(drawn.contains(line)) << line.toStdString() << " " << screen << "\n" << drawn.join('\n').toStdString();
            EXPECT_TRUE(drawn.filter("the day ").isEmpty()) << screen;
        }
    }

    // A period without notes: a preview that says so and stays empty.
    msgs_->clear();
    auto preview = shown<PreviewScheduleNotesForm>(QString::number(schedule_) + "~01/05/2025~31/05/2025");
    EXPECT_EQ(msgs_->texts(), QStringList({"Nothing to print"}));
    EXPECT_FALSE(enabled(preview.get(), "NextImage"));
    preview->NextImage_Click();
    EXPECT_EQ(preview->PageNumber, 0);
}

// The notes window prints to a PDF file or opens the preview, whose print leaves its page on show.
TEST_F(NotesPreviewTest, TheCustomerNotesWindowPrintsOrPreviewsAndThePreviewPrintsOnPaper)
{
    addCustomerNote("2025-03-02 10:00:00", numbered("note", 1500, 4));
    auto notes = shown<NotesForm>("Customer~" + QString::number(customer_));
    answerDates("01 Mar 2025", "31 Mar 2025");
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "OKButton"); });
    EXPECT_TRUE(printed([&] { click(notes.get(), "PrintButton"); }).join(' ').contains("note1499"));
    EXPECT_EQ(msgs_->texts().last(), "Customer Notes sent to printer");
    answerDates("01 Mar 2025", "31 Mar 2025");
    modal_->once("PrinterSelectForm", [](QDialog *d) { click(d, "PreviewButton"); });
    click(notes.get(), "PrintButton");
    EXPECT_EQ(modal_->opened().last().name, "PreviewCustomerNotesForm");
    EXPECT_EQ(modal_->opened().last().tag, QString::number(customer_) + "~01/03/2025~31/03/2025");

    auto preview = shown<PreviewCustomerNotesForm>(QString::number(customer_) + "~01/03/2025~31/03/2025");
    preview->NextImage_Click();
    ASSERT_EQ(preview->PageNumber, 2);
    const QImage second = preview->pageImage();
    preview->PreviousImage_Click();
    EXPECT_NE(preview->pageImage(), second);
    EXPECT_FALSE(enabled(preview.get(), "PreviousImage"));
    preview->NextImage_Click();
    msgs_->clear();
    const QStringList pages = printed([&] { click(preview.get(), "PrintButton"); });
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages.first().contains("Date printed: "));   // the paper's footer, not the screen's
    EXPECT_TRUE(pages.first().contains("02/03/2025 10:00:00 Administrator"));
    EXPECT_EQ(msgs_->texts(), QStringList({"Customer Notes sent to printer"}));
    EXPECT_EQ(preview->PageNumber, 2);
    EXPECT_EQ(preview->pageImage(), second);
    EXPECT_EQ(preview->pagesDrawn(), 2);   // shown again, not drawn again
}


// A preview opened on the printer chosen for it makes the workstation's default printer current again as it
// closes, by its Close button or as the window is closed, and so does a printout once printed: from the schedule
// window's print options and from the printer choice of a schedule's and of a customer's notes.
TEST_F(NotesPreviewTest, ClosingAPreviewOrPrintingMakesTheDefaultPrinterCurrentAgain)
{
    addNote(schedule_, job_, "2025-03-03", "2025-03-10 10:15:00", "Action", "Check the gutters");
    addCustomerNote("2025-03-02 10:00:00", "Dog in the yard");
    const PrinterScript printers({"Office", "Warehouse"}, 1);   // the workstation's default: the warehouse's
    auto schedule = shown<ScheduleForm>("View~" + QString::number(schedule_));
    click(schedule.get(), "GoButton");
    auto scheduleNotes = shown<ScheduleNotesForm>("Schedule~" + QString::number(schedule_));
    click(scheduleNotes.get(), "GoButton");
    auto customerNotes = shown<NotesForm>("Customer~" + QString::number(customer_));
    const struct { const char *options, *preview; std::function<void()> print; } openers[] = {
        {"SchedulePrintForm", "PreviewScheduleForm", [&] { schedule->PrintButton_Click(); }},
        {"PrinterSelectForm", "PreviewScheduleNotesForm", [&] { click(scheduleNotes.get(), "PrintButton"); }},
        {"PrinterSelectForm", "PreviewCustomerNotesForm", [&] { click(customerNotes.get(), "PrintButton"); }}};
    enum Way { PreviewClosedByButton, PreviewClosed, Printed };
    for (const auto &o : openers) {
        for (const Way way : {PreviewClosedByButton, PreviewClosed, Printed}) {
            SCOPED_TRACE(std::string(o.preview) + (way == Printed ? " printed" : way == PreviewClosed ? " closed" : " Close"));
            if (o.options == std::string("PrinterSelectForm"))
                answerDates("01 Mar 2025", "31 Mar 2025");
            const QString pdf = way == Printed ? nextPdf() : QString();
            modal_->once(o.options, [way](QDialog *d) {
                choose(d, "PrinterCombo", way == Printed ? "PDF file" : "Office");
                click(d, way == Printed ? "OKButton" : "PreviewButton");
            });
            int chosen = -1;
            modal_->once(o.preview, [&](QDialog *d) {
                chosen = currentPrinterIndex();
                if (way == PreviewClosedByButton)
                    click(d, "ExitButton");
            });
            o.print();
            if (way == Printed) {
                EXPECT_FALSE(pdfPages(pdf).isEmpty());
            } else {
                ASSERT_EQ(modal_->openedNames().last(), o.preview);
                EXPECT_EQ(chosen, 0);
            }
            EXPECT_EQ(currentPrinterIndex(), 1);
        }
    }
}

TEST_F(PreviewLayoutTest, ALineBreakTypedInAJobCommentPrintsAndPreviewsAsABlank)
{
    EXPECT_EQ(wrapText("one\r\ntwo\nthree\rfour", 40), QStringList({"one two three four"}));
    EXPECT_EQ(wrapText("one\n\ntwo", 40), QStringList({"one  two"}));

    // A start outside the closed schedule, so the job can be saved.
    const qint64 job = jobOn("ADM", {"2025-03-03"}, {}, {.start = "2024-06-03"});
    const qint64 address = scalarSql("SELECT SAddressSeqNo FROM CustomerJobs WHERE JobSeqNo = ?", {job}).toLongLong();
    {
        auto dialog = shown<CustomerJobAddModifyForm>(QStringLiteral("Modify~%1~%2").arg(job).arg(address));
        auto *comment = child<QPlainTextEdit>(dialog.get(), "CommentText");
        comment->setFocus();
        test::typeKeys(comment, "Gate code 1234");
        test::press(comment, Qt::Key_Return);
        test::typeKeys(comment, "Dog is friendly");
        tick(dialog.get(), "CommentCheck", true);
        click(dialog.get(), "OKButton");
        EXPECT_EQ(msgs_->texts().last(), "Customer Job saved");
    }
    ASSERT_EQ(scalarSql("SELECT CustomerJobComment FROM CustomerJobs WHERE JobSeqNo = ?", {job}).toString(),
              "Gate code 1234\nDog is friendly");

    const QString paper = printed([&] { PrintWorkvane(schedule_, QString()); }).join('\n');
    EXPECT_TRUE(paper.contains("Gate code 1234 Dog is friendly")) << paper.toStdString();
    const QStringList onScreen = shown<PreviewScheduleForm>(QString::number(schedule_) + "~")->pageText();
    EXPECT_TRUE(onScreen.contains("Gate code 1234 Dog is friendly")) << onScreen.join('\n').toStdString();
}

} // namespace

namespace {
// Each run of consecutive texts drawn that together make up `text`, one after the other.
QVector<QVector<Drawn>> piecesOf(const QVector<Page> &pages, const QString &text)
{
    QVector<Drawn> drawn;
    for (const Page &p : pages)
        drawn << ofKind(p, Drawn::Text);
    QVector<QVector<Drawn>> found;
    for (qsizetype i = 0; i < drawn.size(); ++i) {
        QVector<Drawn> run;
        QString made;
        for (qsizetype k = i; k < drawn.size() && made.size() < text.size() && !drawn.at(k).text.isEmpty() &&
                              text.mid(made.size()).startsWith(drawn.at(k).text); ++k) {
            run << drawn.at(k);
            made += drawn.at(k).text;
        }
        if (made == text)
            found << run;
    }
    return found;
}
} // namespace

// No character of a text is lost past the paper's edge: a note, a comment, a customer's or the company's name
// wider than its place goes on over more lines, each within the margins (a comment within its column), on
// paper and on screen. A line keeps the character count, and breaks only between two characters as the reader
// sees them.
TEST_F(NotesPreviewTest, ATextWiderThanItsPlaceGoesOnOverMoreLinesAndLosesNoCharacter)
{
    const QString hebrew = QString::fromUtf8("עברית");
    const struct {
        const char *name;
        QString text;
    } rows[] = {
        {"a long word", QString("Longword").repeated(38).left(300)},
        {"wide letters", QString::fromUtf8("Ｗ").repeated(70) + ' ' +
                             QString::fromUtf8("ＭＭＭ 東京都港区の現場では鍵を管理人室で受け取ってください。").repeated(4)},
        {"right to left", (hebrew + QString::fromUtf8(" שלום Call before 9 am العربية مرحبا بكم في المنزل Gate 4 "))
                              .repeated(5) + hebrew},
        {"accents and pairs", QString::fromUtf8("Re\u0301sume\u0301\U0001F600\U0001D400").repeated(30)},
    };
    writeSql("UPDATE CustomerJobs SET CommentOnSchedule = 1 WHERE JobSeqNo = ?", {job_});
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString &text = row.text;
        writeSql("DELETE FROM CustomerNotes");
        writeSql("DELETE FROM ScheduleJobNotes");
        addCustomerNote("2025-03-02 10:00:00", text);
        addNote(schedule_, job_, "2025-03-03", "2025-03-10 10:15:00", "Action", text);
        const QString name = "Mc" + text;
        const QString jobType = "Job " + text;
        writeSql("UPDATE JobTypes SET JobTypeDescription = 'Window cleaning'");
        writeSql("UPDATE Customers SET Surname = ? WHERE CustomerNumber = ?", {name, customer_});
        writeSql("UPDATE CustomerJobs SET CustomerJobComment = ? WHERE JobSeqNo = ?", {text, job_});
        writeSql("INSERT OR REPLACE INTO Company (RowId, CompanyName) VALUES (1, ?)", {name});

        // Each printout on paper and on screen: what it draws, where a text of the row must stand and the
        // character count of its lines (0: none), and the texts made of the row that must be there whole.
        struct Place {
            double left, right;
            int count;
        };
        std::vector<std::unique_ptr<PagedPrintout>> printouts;
        for (const bool screen : {false, true}) {
            printouts.push_back(std::make_unique<NotesPrintout>(
                NotesPrintout::Kind::Schedule, schedule_, d("2025-03-01"), d("2025-03-31"),
                screen ? PageMedium::scheduleNotesScreen() : PageMedium::notesPaper()));
            printouts.push_back(std::make_unique<NotesPrintout>(
                NotesPrintout::Kind::Customer, customer_, d("2025-03-01"), d("2025-03-31"),
                screen ? PageMedium::customerNotesScreen() : PageMedium::notesPaper()));
            printouts.push_back(std::make_unique<JobSchedulePrintout>(
                schedule_, QString(), schedulePrintSelection(),
                screen ? PageMedium::jobScheduleScreen(false) : PageMedium::jobSchedulePaper()));
        }
        // As printed into a PDF file: no word passes the margins (515 twips, 25.75 points).
        for (const std::function<void()> &print :
             {std::function<void()>([&] { PrintCustomerNotes(customer_, d("2025-03-01"), d("2025-03-31")); }),
              std::function<void()>([&] { PrintScheduleNotes(schedule_, d("2025-03-01"), d("2025-03-31")); }),
              std::function<void()>([&] { PrintWorkvane(schedule_, QString()); })}) {
            const QString pdf = nextPdf();
            print();
            const QVector<PdfWord> words = pdfWords(pdf);
            EXPECT_GT(words.size(), 10);
            for (const PdfWord &w : words)
                EXPECT_TRUE(w.left >= 25.75 - 0.05 && w.right <= w.pageWidth - 25.75 + 0.05)
                    << w.left << ".." << w.right << " of " << w.pageWidth << ": " << w.text.toStdString();
        }
        for (const auto &p : printouts) {
            const bool schedule = dynamic_cast<JobSchedulePrintout *>(p.get());
            const bool screen = p->medium().kind == PageMedium::Kind::Screen;
            SCOPED_TRACE((schedule ? "job schedule" : "notes") + std::string(screen ? " on screen" : " on paper"));
            ASSERT_TRUE(p->load());
            const QSize page = screen ? p->medium().page : schedule ? QSize(16838, 11906) : QSize(11906, 16838);
            const QVector<Page> pages = layOut(*p, page);
            const double W = page.width();
            // Every text of every page within the margins.
            for (const Page &onPage : pages)
                for (const Drawn &d : ofKind(onPage, Drawn::Text))
                    EXPECT_TRUE(d.at.left() >= 515 - 0.5 && d.at.right() <= W - 515 + 0.5)
                        << d.at.left() << ".." << d.at.right() << " of " << W << ": " << d.text.toStdString();
            // The comments column: every column and the check box.
            const double commentX = 515 + 2785 + 2700 + 2000 + 2900, commentWidth = W - 515 - commentX - 250;
            // The company's name stands right of the title.
            const double titleEnd = schedule ? textOf(pages.first(), "Job Schedule")->at.right() : 515;
            const std::pair<QString, Place> places[] = {
                {text, schedule ? Place{commentX, commentX + commentWidth, p->medium().commentLineLength(commentWidth)}
                                : Place{515, W - 515, p->medium().noteLineLength}},
                {schedule ? name : QStringLiteral("Customer:  ") + name, {titleEnd, W - 515, 0}},   // a name
            };
            for (const auto &[whole, place] : places) {
                const QVector<QVector<Drawn>> found = piecesOf(pages, whole);
                ASSERT_FALSE(found.isEmpty()) << whole.toStdString();
                ASSERT_EQ(found.size(), 1) << whole.toStdString();
                for (const QVector<Drawn> &lines : found) {
                    EXPECT_GT(lines.size(), 1);
                    for (const Drawn &line : lines) {
                        EXPECT_TRUE(line.at.left() >= place.left - 0.5 && line.at.right() <= place.right + 0.5)
                            << line.at.left() << ".." << line.at.right() << ": " << line.text.toStdString();
                        EXPECT_TRUE(!place.count || line.text.size() <= place.count) << line.text.toStdString();
                        const QChar first = line.text.front(), last = line.text.back();
                        EXPECT_FALSE(first.isMark() || first.isLowSurrogate() || last.isHighSurrogate())
                            << line.text.toStdString();
                    }
                }
            }
        }

        // Without comments the job column is the last: its lines end by the right margin, upright with every
        // other column; with the check box after it, where the box begins.
        writeSql("UPDATE JobTypes SET JobTypeDescription = ?", {jobType});
        for (const bool box : {false, true}) {
            SchedulePrintSelection noComments = SchedulePrintSelection::all();
            noComments.comments = false;
            noComments.checkBox = box;
            noComments.portrait = true;
            for (const bool screen : {false, true}) {
                SCOPED_TRACE(std::string("no comments") + (box ? ", a check box" : "") + (screen ? ", on screen" : ""));
                JobSchedulePrintout p(schedule_, QString(), noComments,
                                      screen ? PageMedium::jobScheduleScreen(true) : PageMedium::jobSchedulePaper());
                ASSERT_TRUE(p.load());
                const QSize page = screen ? p.medium().page : QSize(11906, 16838);
                const QVector<QVector<Drawn>> found = piecesOf(layOut(p, page), jobType);
                ASSERT_EQ(found.size(), 1);
                EXPECT_GT(found.first().size(), 1);
                for (const Drawn &line : found.first())
                    EXPECT_TRUE(line.at.left() == 8000 && line.at.right() <= (box ? 10900 : page.width() - 515) + 0.5)
                        << line.at.left() << ".." << line.at.right() << ": " << line.text.toStdString();
            }
        }
    }
}
