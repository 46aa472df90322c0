#include "platform/FlexGrid.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleGrid.h"
#include "scheduling/SchedulesManagementForm.h"
#include "ScheduleTestData.h"
#include "support/ShownTexts.h"


using namespace wvs;
using namespace wvs::schedtest;
using namespace wvs::ScheduleGrid;
using wvs::test::entries;
using wvs::test::expectShown;

namespace {

const QColor white(255, 255, 255), grey(224, 224, 224), black(0, 0, 0);
const QColor green(0, 192, 0), red(255, 0, 0), blue(0, 0, 255), orange(255, 128, 0);

class ScheduleTextsTest : public ScheduleDbTest {};

} // namespace

TEST_F(ScheduleTextsTest, SchedulesListShowsItsHeadingsStatusColoursAndQuestions)
{
    for (int month = 1; const char *status : {"Published", "Closed", "Open", "Archived"})
        addSchedule(QStringLiteral("2025-0%1-01").arg(month), QStringLiteral("2025-0%1-28").arg(month++), status);
    auto form = shown<SchedulesManagementForm>();
    EXPECT_EQ(form->windowTitle(), "Job Schedules Management");
    expectShown(form.get(), {{"AddButton", "&Add"}, {"ModifyButton", "&Modify"}, {"DeleteButton", "&Delete"},
                             {"ViewButton", "&View"}, {"NotesButton", "&Notes"}, {"ExitButton", "&Exit"}});
    FlexGrid *g = form->grid();
    EXPECT_EQ(test::headings(g).mid(1, 3), QStringList({"From", "To", "Status"}));
    // The status in its colour (another text in the default one), on white and light grey by turns.
    const struct { const char *status; QColor colour, back; } rows[] = {
        {"Archived", black, white}, {"Open", green, grey}, {"Closed", red, white}, {"Published", blue, grey}};
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(g->textMatrix(r, 3), rows[r - 1].status);
        EXPECT_EQ(g->cellForeColor(r, 3), rows[r - 1].colour) << r;
        EXPECT_EQ(g->cellBackColor(r, 1), rows[r - 1].back) << r;
        EXPECT_EQ(g->cellBackColor(r, 5), rows[r - 1].back) << r;
    }

    form->NotesButton_Click();   // nothing selected
    g->selectRow(4);
    msgs_->answer(MsgAnswer::No);
    form->DeleteButton_Click();
    g->selectRow(4);
    msgs_->answer(MsgAnswer::Yes);
    msgs_->answer(MsgAnswer::No);
    form->DeleteButton_Click();
    answerDates("01 Jun 2025", "30 Jun 2025");
    msgs_->answer(MsgAnswer::No);
    form->AddButton_Click();
    const QString sure = "Are you sure you want to PERMANENTLY delete the selected Schedule(s)?";
    EXPECT_EQ(msgs_->texts(),
              QStringList({"Please select a Schedule", sure, sure,
                           "A selected Schedule has been published on the internet portal. Deleting it in WVS (which "
                           "cannot be undone) will not remove it from the portal, but it will be overwritten when the "
                           "next Schedule is published. Do you wish to continue?",
                           "Schedule created - would you like to open it now?"}));
}

TEST_F(ScheduleTextsTest, ScheduleWindowShowsItsPeriodStatusCaptionsAndSortKeys)
{
    // The status line and the Close button by status and mode.
    const struct { const char *status, *mode, *close; QColor colour; } states[] = {
        {"Open", "Modify", "&Close", green}, {"Open", "View", "&Close", green},
        {"Closed", "View", "&Save", red}, {"Published", "Modify", "&Save", blue}};
    for (const auto &s : states) {
        const qint64 n = addSchedule("2025-03-03", "2025-03-16", s.status);
        auto form = shown<ScheduleForm>(QStringLiteral("%1~%2").arg(s.mode).arg(n));
        EXPECT_EQ(form->windowTitle(), "Job Schedule From: 03/03/2025 To: 16/03/2025"); // as on the printout
        auto *status = child<QLabel>(form.get(), "StatusLabel");
        EXPECT_EQ(status->text(), QStringLiteral("Status: ") + s.status);
        EXPECT_EQ(status->palette().color(QPalette::WindowText), s.colour) << s.status;
        EXPECT_EQ(child<QPushButton>(form.get(), "CloseButton")->text(), s.close) << s.status << s.mode;
        if (s.status != std::string("Published"))
            continue;
        expectShown(form.get(), {{"AssociateLabel", "Associate"}, {"GoButton", "&Go"}, {"Sort1Label", "Sort 1"},
                                 {"Sort2Label", "2"}, {"SortButton", "S&ort"}, {"Label1", "Scheduled Jobs"},
                                 {"ExpandImage", "Expand the screen"}, {"UpButton", "Move job up"},
                                 {"DownButton", "Move job down"}, {"ViewButton", "&View"}, {"ModifyButton", "&Modify"},
                                 {"AddButton", "&Add"}, {"DeleteButton", "&Delete"}, {"ExcludeButton", "E&xclude"},
                                 {"PrintButton", "&Print"}, {"EmailButton", "Emai&l"}, {"ExportButton", "Expo&rt"},
                                 {"PublishButton", "Pu&blish On Portal"}, {"UpdateButton", "&Update From Portal"},
                                 {"ExitButton", "&Exit"}});
        EXPECT_EQ(entries(form.get(), "Sort1Combo"),
                  QStringList({"As Required", "Associate", "Service Date", "Customer", "Service Address", "Location",
                               "Phone", "Job Type", "Cost", "Notes", "Done"}));
        EXPECT_EQ(entries(form.get(), "Sort1OrderCombo"), QStringList({"Ascending", "Descending"}));
    }
}

TEST(ScheduleGridTexts, HeadingsRowsMarksAndTheAsRequiredColourUpTo4999Rows)
{
    FlexGrid grid;
    grid.resize(1100, 400);
    create(&grid);
    EXPECT_EQ(test::headings(&grid).mid(ColAssociate, ColComments - ColAssociate + 1), QStringList({"Asst", "Date", "Customer", "Service Address", "Location", "Phone", "Job Type",
                                     "Cost", "Comments"}));
    // Rows as tall as their longest text; an Open schedule shows "-" for not done and the tick for an
    // occurrence done before it was re-opened, a stored one a box in every row and a flag of 0 or 1.
    QList<StagedJob> three(3, {.associate = "ADM", .serviceDate = QDate(2025, 3, 3), .address = "1 Main Road~7",
                               .cost = Money::fromCents(4500)});
    three[1].comments = "Line one\r\nLine two\r\nLine three";
    three[2].address = "12 High Street\r\nUnit 4~31";
    three[2].done = 0;
    fill(&grid, three, {0, 1, 2}, false, QStringLiteral("UK"));
    EXPECT_GT(grid.rowHeightTwips(2), grid.rowHeightTwips(3));
    EXPECT_GT(grid.rowHeightTwips(3), grid.rowHeightTwips(1));
    EXPECT_EQ(QStringList({grid.textMatrix(2, ColComments), grid.textMatrix(3, ColAddress),
                           grid.textMatrix(3, ColAddressKey), grid.textMatrix(3, ColCost)}),
              QStringList({"Line one\nLine two\nLine three", "12 High Street\nUnit 4", "31", "£45.00"}));
    EXPECT_EQ(grid.textMatrix(1, ColDone) + grid.textMatrix(3, ColDone) + grid.cellPictureKey(3, ColDone), "-CheckImage");
    // Headings centre-bottom; cells left-top but for the date and the done mark (centre-top, its picture too)
    // and the cost (right-top), whether a row shows "-" or a picture.
    const Qt::Alignment leftTop = Qt::AlignLeft | Qt::AlignTop, centreTop = Qt::AlignHCenter | Qt::AlignTop,
                        rightTop = Qt::AlignRight | Qt::AlignTop;
    const Qt::Alignment cells[] = {leftTop, centreTop, leftTop, leftTop, leftTop, leftTop, leftTop, rightTop, leftTop,
                                   centreTop};   // columns 1 to 10
    auto expectAligned = [&] {
        for (int c = ColAssociate; c <= ColDone; ++c) {
            EXPECT_EQ(grid.cellAlignment(0, c), Qt::AlignHCenter | Qt::AlignBottom) << c;
            for (int r = 1; r <= 3; ++r)
                EXPECT_EQ(grid.cellAlignment(r, c), cells[c - 1]) << r << "," << c;
        }
    };
    expectAligned();
    fill(&grid, three, {0, 1, 2}, true, QStringLiteral("UK"));
    EXPECT_EQ(QStringList({grid.cellPictureKey(1, ColDone), grid.textMatrix(1, ColDoneFlag),
                           grid.cellPictureKey(3, ColDone), grid.textMatrix(3, ColDoneFlag)}),
              QStringList({"NoCheckImage", "0", "CheckImage", "1"}));
    expectAligned();
    // Large fills share out the work; every row shows its own job, date and height (job 107's
    // comment grows part-way). Grids of 5000 rows or more, heading included, keep the default colours.
    for (const auto &[n, shaded] : {std::pair{4998, true}, std::pair{4999, false}}) {
        QList<StagedJob> jobs;
        QList<int> order;
        for (int i = 0; i < n; ++i) {
            jobs.append({.recordNumber = i + 1, .associate = "ADM", .serviceDate = QDate(2025, 3, 3).addDays(i % 20),
                         .customer = QStringLiteral("Customer %1").arg(i % 40), .address = "1 Main Road~7",
                         .jobType = "Window cleaning", .comments = i % 40 == 7 && i > 2000 ? "One\r\nTwo" : "",
                         .jobSeqNo = 100 + i % 40, .asRequired = i == n - 2});
            order.prepend(i);
        }
        fill(&grid, jobs, order, false, QStringLiteral("UK"));
        ASSERT_EQ(grid.rows(), n + 1);
        EXPECT_EQ(grid.textMatrix(n, ColDate), "03 Mar 2025");
        const int plain = grid.rowHeightTwips(n);
        for (int shown = 1; shown <= n; ++shown) {
            const StagedJob &j = jobs.at(order.at(shown - 1));
            ASSERT_EQ(QStringList({grid.textMatrix(shown, ColCustomer), grid.textMatrix(shown, ColRecordNumber),
                                   grid.textMatrix(shown, ColServiceDate)}),
                      QStringList({j.customer, QString::number(j.recordNumber), j.serviceDate.toString(Qt::ISODate)}));
            if (!j.asRequired)   // bold text may wrap sooner
                ASSERT_EQ(grid.rowHeightTwips(shown) > plain, !j.comments.isEmpty()) << shown;
        }
        for (int col : {0, int(ColCustomer), int(ColAddressKey)}) {
            EXPECT_EQ(grid.cellBackColor(1, col), white) << n;
            EXPECT_EQ(grid.cellBackColor(2, col), shaded ? grey : white) << n;
            EXPECT_EQ(grid.cellForeColor(2, col), shaded ? orange : black) << n;
            EXPECT_EQ(grid.cellBold(2, col), shaded) << n;
            EXPECT_EQ(grid.cellForeColor(3, col), black);
            EXPECT_FALSE(grid.cellBold(3, col));
        }
    }
}
