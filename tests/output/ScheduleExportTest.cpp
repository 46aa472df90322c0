#include "platform/FileDialog.h"
#include "platform/FlexGrid.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleGrid.h"
#include "scheduling/ScheduleTestData.h"
#include "support/LocalServers.h"

#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>

using namespace wvs;
using namespace wvs::schedtest;
using namespace wvs::ScheduleGrid;

namespace {
class ScheduleExportTest : public ScheduleDbTest {};
} // namespace

TEST_F(ScheduleExportTest, ChosenColumnsInTableOrderForEveryGridRowStillOnRecordAndExitKeepsTheChoice)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-16", "Closed");
    const qint64 zoe = addCustomer({.surname = "Müller", .forename = "Zoë"});
    const qint64 jobA = addJob({.customer = zoe, .address = addAddress(zoe, "4 Bay Rd", "Ponsonby", "Flat \"B\", rear"),
                                .associate = "ADM", .costCents = 123456,
                                .comment = "Ring twice, then \"knock\"\r\nDog in yard", .commentOnSchedule = true});
    const qint64 gone = addJob({.associate = "BOB"});
    storeJob(schedule, jobA, "2025-03-03", 0, "", "ADM");
    const qint64 kim = addCustomer({.surname = "Kim", .forename = "Lee", .phone1 = "09 444 5555"});
    const qint64 kimsAddress = addAddress(kim, "7 Elm St", "Remuera", "Unit 3", "Block C");
    writeSql("UPDATE CustomerServiceAddresses SET SCity = 'Napier' WHERE SAddressSeqNo = ?", {kimsAddress});
    storeJob(schedule, addJob({.customer = kim, .address = kimsAddress, .associate = "BOB", .costCents = 7725,
                               .comment = "Side gate", .commentOnSchedule = true}), "2025-03-03", 1, "", "BOB");
    storeJob(schedule, gone, "2025-03-04", 2, "", "BOB");
    storeJob(schedule, jobA, "2025-03-10", 3, "", "ADM");
    QTemporaryDir dir;
    const QString typed = dir.filePath("schedule");   // typed without an extension
    FileDialogScript files;
    // The export window: the boxes ticked as it opens, then ticks and a button; the file's rows.
    auto exportWith = [&](ScheduleForm *form, const QStringList &tick, const char *button, QStringList *shownTicked = nullptr) {
        if (*button == 'O') {
            files.answer(typed);
            msgs_->answer(MsgAnswer::No);
        }
        modal_->once("ScheduleExportForm", [&](QDialog *d) {
            for (QCheckBox *c : d->findChildren<QCheckBox *>()) {
                if (shownTicked && c->isChecked())
                    *shownTicked << c->objectName();
                if (tick.contains(c->objectName()))
                    c->setChecked(true);
            }
            click(d, button);
        });
        form->ExportButton_Click();
        if (*button != 'O')
            return QList<QStringList>();
        return csv(typed + ".csv");
    };

    auto form = shown<ScheduleForm>(QStringLiteral("View~%1").arg(schedule));
    const FlexGrid *g = form->grid();
    ASSERT_EQ(g->rows(), 5);
    // The job's address went after the grid was filled: its row gives no line.
    writeSql("DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?",
             {scalarSql("SELECT SAddressSeqNo FROM CustomerJobs WHERE JobSeqNo = ?", {gone})});
    QStringList shownTicked;
    auto rows = exportWith(form.get(), {"CommentCheck", "CostCheck", "Address2Check", "SurnameCheck", "AssociateCheck"},
                           "OKButton", &shownTicked);
    EXPECT_TRUE(shownTicked.isEmpty()); // first use: nothing ticked
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QStringList{"Associate", "Customer Surname", "Service Address Line 2", "Cost", "Job Comments"}));
    for (int r : {1, 3})
        EXPECT_EQ(rows[r], (QStringList{"ADM", "Müller", "Flat \"B\", rear", g->textMatrix(1, ColCost),
                                        g->textMatrix(1, ColComments)}));
    EXPECT_TRUE(rows[1][4].contains("\"knock\"") && rows[1][4].contains('\n')) << rows[1][4].toStdString();
    EXPECT_EQ(rows[2].mid(0, 2), (QStringList{"BOB", "Kim"}));

    // Exit after new ticks: nothing stored, no file asked for; the choice is offered again.
    exportWith(form.get(), {"PhoneCheck"}, "ExitButton");
    shownTicked.clear();
    exportWith(form.get(), {}, "ExitButton", &shownTicked);
    EXPECT_EQ(shownTicked, (QStringList{"AssociateCheck", "SurnameCheck", "Address2Check", "CostCheck", "CommentCheck"}));
    EXPECT_EQ(files.asked().size(), 1);

    // One associate's rows, every column; then a file that cannot be opened.
    choose(form.get(), "AssociateCombo", "Bob Builder");
    form->GoButton_Click();
    const QString folder = dir.filePath("folder.csv");
    ASSERT_TRUE(QDir().mkdir(folder));
    // A name longer than the disk takes (264 bytes) fails at the open too, and the window goes on.
    const QString tooLong = dir.filePath(QString(130, QChar(0xE9)) + ".csv");
    for (const QString &path : {typed, folder, tooLong}) {
        modal_->once("ScheduleExportForm", [&](QDialog *d) { click(d, "SelectAllButton"), click(d, "OKButton"); });
        files.answer(path);
        msgs_->answer(MsgAnswer::No);
        form->ExportButton_Click();
    }
    EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - 3),
              QStringList({"File created - do you wish to open it now?", "Error 75 encountered when trying to open " + folder,
                           "Error 75 encountered when trying to open " + tooLong}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(QDir(dir.path()).entryList({"*\u00e9*"}, QDir::AllEntries | QDir::Hidden | QDir::System), QStringList{});
    for (const FileDialogScript::Asked &a : files.asked())
        EXPECT_EQ(a.title + " | " + a.filter, "Enter the export file name | csv (*.csv)");
    // The heading line names all thirteen columns in their order.
    EXPECT_TRUE(wvs::test::readFileBytes(typed + ".csv").startsWith(
        "\"Associate\",\"Service Date\",\"Customer Forename\",\"Customer Surname\",\"Customer Phone\",\"Service Address Line 1\","
        "\"Service Address Line 2\",\"Service Address Line 3\",\"Service Location\",\"Service City\",\"Job Description\","
        "\"Cost\",\"Job Comments\"\r\n"));
    rows = wvs::test::pythonCsvRows(typed + ".csv");
    ASSERT_EQ(rows.size(), 2);   // the row whose address went gives none
    // Each value under its own heading.
    EXPECT_EQ(rows[1], (QStringList{"BOB", "03 Mar 2025", "Lee", "Kim", "09 444 5555", "7 Elm St", "Unit 3", "Block C",
                                    "Remuera", "Napier", "Window cleaning", form->grid()->textMatrix(1, ColCost), "Side gate"}));
    EXPECT_TRUE(rows[1][11].contains("77.25")) << rows[1][11].toStdString();
}

TEST_F(ScheduleExportTest, AnyOneColumnAloneGivesLinesOfOneItemAndNoColumnAsksForNoFile)
{
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-16", "Closed");
    const qint64 kim = addCustomer({.surname = "Kim", .forename = "Lee"});
    const qint64 address = addAddress(kim, "7 Elm St", "Remuera", "Unit 3", "Block C");
    writeSql("UPDATE CustomerServiceAddresses SET SCity = 'Napier' WHERE SAddressSeqNo = ?", {address});
    storeJob(schedule, addJob({.customer = kim, .address = address, .comment = "Side gate", .commentOnSchedule = true}),
             "2025-03-03", 0, "", "ADM");
    QTemporaryDir dir;
    FileDialogScript files;
    auto form = shown<ScheduleForm>(QStringLiteral("View~%1").arg(schedule));
    const struct { const char *box, *heading, *value; } columns[] = {
        {"AssociateCheck", "Associate", "ADM"}, {"ServiceDateCheck", "Service Date", "03 Mar 2025"},
        {"ForenameCheck", "Customer Forename", "Lee"}, {"SurnameCheck", "Customer Surname", "Kim"},
        {"PhoneCheck", "Customer Phone", "09 111 1111"}, {"Address1Check", "Service Address Line 1", "7 Elm St"},
        {"Address2Check", "Service Address Line 2", "Unit 3"}, {"Address3Check", "Service Address Line 3", "Block C"},
        {"SuburbCheck", "Service Location", "Remuera"}, {"CityCheck", "Service City", "Napier"},
        {"JobTypeCheck", "Job Description", "Window cleaning"}, {"CostCheck", "Cost", nullptr},
        {"CommentCheck", "Job Comments", "Side gate"}};
    for (const auto &c : columns) {
        const QString path = dir.filePath(QString::fromLatin1(c.box) + ".csv");
        files.answer(path);
        msgs_->answer(MsgAnswer::No);
        modal_->once("ScheduleExportForm", [&](QDialog *d) {
            click(d, "UnselectAllButton");
            tick(d, c.box, true);
            click(d, "OKButton");
        });
        form->ExportButton_Click();
        const QString value = c.value ? QString::fromLatin1(c.value) : form->grid()->textMatrix(1, ColCost);
        EXPECT_EQ(csv(path), (QList<QStringList>{{c.heading}, {value}})) << c.box;
    }

    // Nothing ticked: the choice is stored, all thirteen off, and no file is asked for.
    const qsizetype asked = files.asked().size();
    modal_->once("ScheduleExportForm", [&](QDialog *d) { click(d, "UnselectAllButton"), click(d, "OKButton"); });
    form->ExportButton_Click();
    EXPECT_EQ(files.asked().size(), asked);
    EXPECT_EQ(rowsOf("SELECT Associate + ServiceDate + CustomerForename + CustomerSurname + Phone + SAddress1 + SAddress2 "
                     "+ SAddress3 + SSuburb + SCity + JobType + Cost + Comments FROM ScheduleExportFields"), "0");
}
