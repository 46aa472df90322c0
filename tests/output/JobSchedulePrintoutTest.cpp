#include "core/Session.h"
#include "output/JobSchedulePrintout.h"
#include "output/PreviewCustomerNotesForm.h"
#include "output/PreviewScheduleForm.h"
#include "output/PreviewScheduleNotesForm.h"
#include "output/ScheduleEmailForm.h"
#include "output/ScheduleExportForm.h"
#include "output/SchedulePrintForm.h"
#include "scheduling/ScheduleForm.h"
#include "support/LocalServers.h"
#include "support/OrdinaryUser.h"
#include "support/ShownTexts.h"
#include "PrintTestData.h"
#include "support/Keys.h"
#include "support/Pointer.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace wvs;
using namespace wvs::schedtest;
using wvs::test::expectShown;
using wvs::printtest::Drawn;
using wvs::printtest::Page;

namespace {

class JobSchedulePrintTest : public printtest::PrintDbTest {};

TEST_F(JobSchedulePrintTest, EachAssociatePrintsOnPagesOfHisOwnHeadedInColumnsAndSigned)
{
    session().currentAssociateName = "Administrator";
    writeSql("INSERT OR REPLACE INTO Company (RowId, CompanyName, PTelephone, PEmail) "
             "VALUES (1, 'Clean Co', '09 555', 'a@b.nz')");
    addAssociate("BOB", "Sam Jones", "pw", 1);
    addAssociate("SAM", "Sam Jones", "pw", 1);   // same name, another associate
    jobOn("ADM", {"2025-03-03"}, {.phone2 = "021 999", .preferredPhone = 2});
    jobOn("BOB", {"2025-03-03", "2025-03-04"});
    jobOn("SAM", {"2025-03-03"});
    // BOB's job not yet done on the 5th (no associate of its own), and done by ADM on the 10th.
    const qint64 job = jobOn("BOB", {});
    storeJob(schedule_, job, "2025-03-05", ++seq_, QString(), QString());
    storeJob(schedule_, job, "2025-03-10", ++seq_, "2025-03-10", "ADM");
    schedulePrintSelection().breakOnDate = false;
    QStringList pages = printed([&] { PrintWorkvane(schedule_, QString()); });
    ASSERT_EQ(pages.size(), 3);   // one per associate
    EXPECT_TRUE(pages.last().contains("Page 3"));
    EXPECT_EQ(msgs_->texts(), QStringList({"Job Schedule sent to printer"}));
    // The lines of the first page, as patterns.
    for (const char *line : {R"(^\s*Job Schedule\s+Clean Co$)", R"(^\s*Phone: 09 555\s+Email: a@b\.nz$)",
                             R"(^Administrator Monday 03/03/2025$)", R"(^Customer\s+Address\s+Phone\s+Job\s+Comments$)",
                             R"(^Smith, Anna\s+1 Main Road\s+021 999\s+Window cleaning$)", R"(^\s+Ponsonby\s+\$45\.00$)",
                             R"(^Date printed: \S+ \S+\s+By: Administrator\s.*\sPage 1$)"})
        EXPECT_TRUE(pages.first().contains(QRegularExpression(QString::fromLatin1(line), QRegularExpression::MultilineOption)))
            << line << "\n" << pages.first().toStdString();

    // Only one associate: his pages alone, the job not yet done among them.
    pages = printed([&] { PrintWorkvane(schedule_, "BOB"); });
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().contains("Tuesday 04/03/2025") && pages.first().contains("Wednesday 05/03/2025"));
    EXPECT_FALSE(pages.first().contains("10/03/2025"));

    // The contact line as the sheet's heading draws it (the PDF's text does not keep a run of blanks):
    // two blanks before "Email: ", also when there is no phone; none without an e-mail address.
    const struct { const char *phone, *email, *line; } contacts[] = {
        {"09 555", "a@b.nz", "Phone: 09 555  Email: a@b.nz"}, {"", "a@b.nz", "  Email: a@b.nz"}, {"09 555", "", "Phone: 09 555"},
        {"", "", nullptr},   // no contact line at all
    };
    for (const auto &c : contacts) {
        writeSql("UPDATE Company SET PTelephone = ?, PEmail = ?", {c.phone, c.email});
        // On the sheet, and the same on the preview's screen page.
        JobSchedulePrintout printout(schedule_, "BOB", schedulePrintSelection());
        JobSchedulePrintout screen(schedule_, "BOB", schedulePrintSelection(), PageMedium::jobScheduleScreen(false));
        for (JobSchedulePrintout *p : {&printout, &screen}) {
            ASSERT_TRUE(p->load());
            const QSize page = p == &screen ? QSize(15000, 9150) : QSize(16838, 11906);   // A4 wide
            const QStringList drawn = printtest::texts(printtest::layOut(*p, page).first());
            if (c.line)
                EXPECT_TRUE(drawn.contains(QString::fromLatin1(c.line))) << c.line << "\n" << drawn.join('|').toStdString();
            else
                EXPECT_TRUE(drawn.filter("Phone: ").isEmpty() && drawn.filter("Email: ").isEmpty()) << drawn.join('|').toStdString();
        }
    }

    // The location alone heads the address column, the cost alone the job column, on the sheet and on screen;
    // the one column chosen stands alone in the headings.
    const std::tuple<SchedulePrintSelection, const char *, const char *> alone[] = {
        {{.confirmed = true, .location = true}, "Address", "Ponsonby"}, {{.confirmed = true, .cost = true}, "Job", "$45.00"}};
    for (const auto &[selection, heading, value] : alone) {
        JobSchedulePrintout printout(schedule_, "BOB", selection);
        JobSchedulePrintout screen(schedule_, "BOB", selection, PageMedium::jobScheduleScreen(false));
        for (JobSchedulePrintout *p : {&printout, &screen}) {
            ASSERT_TRUE(p->load());
            const QSize page = p == &screen ? QSize(15000, 9150) : QSize(16838, 11906);
            const QStringList drawn = printtest::texts(printtest::layOut(*p, page).first());
            QStringList headings;
            for (const char *h : {"Customer", "Address", "Phone", "Job", "Comments"})
                if (drawn.contains(QLatin1String(h)))
                    headings << QLatin1String(h);
            EXPECT_EQ(headings, QStringList({heading})) << drawn.join('|').toStdString();
            EXPECT_TRUE(drawn.contains(QLatin1String(value))) << drawn.join('|').toStdString();
        }
    }
}

TEST_F(JobSchedulePrintTest, NothingToPrintWritesNoFileAndAFailedDocumentLeavesNoFile)
{
    addAssociate("BOB", "Bob Brown", "pw", 1);
    jobOn("ADM", {"2025-03-03"});
    // A file that cannot be written is said so, and the program goes on.
    const QString unwritable = nextPdf("no such folder/out.pdf");
    PrintWorkvane(schedule_, "ADM");
    EXPECT_EQ(msgs_->texts(), QStringList({"Cannot write the file " + unwritable}));
    // A read-only file already there is said so and left as it was: this document never wrote it.
    const QString readOnly = QDir(dir_->path()).filePath("read-only.pdf");
    test::writeFileBytes(readOnly, "an earlier printout");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_EQ(test::asOrdinaryUser(dir_->path(),
                                   [&] {
                                       nextPdf("read-only.pdf");
                                       PrintWorkvane(schedule_, "ADM");
                                       return msgs_->texts().last();
                                   }),
              "Cannot write the file " + readOnly);
    EXPECT_EQ(test::readFileBytes(readOnly), "an earlier printout");

    const QString pdf = nextPdf();
    PrintWorkvane(schedule_, "BOB");
    EXPECT_EQ(msgs_->texts().last(), "Nothing to print");
    EXPECT_EQ(files_->asked().size(), 1);   // no file asked for

    // A document never ended leaves no file; an ended one no blank page after the last NewPage.
    for (const bool ended : {false, true}) {
        {
            PrinterSurface surface(QString(), pdf, QPageLayout::Portrait);
            surface.Print("a page");
            surface.NewPage();
            if (ended)
                surface.EndDoc();
        }
        EXPECT_EQ(QFile::exists(pdf) ? pdfPages(pdf).size() : -1, ended ? 1 : -1);
    }
    // A file cut short (a full disk) is not taken for a printed one.
    EXPECT_TRUE(pdfFileComplete(pdf));
    ASSERT_TRUE(QFile::resize(pdf, QFileInfo(pdf).size() / 2));
    EXPECT_FALSE(pdfFileComplete(pdf));
}

TEST_F(JobSchedulePrintTest, TheScheduleWindowsPrintChecksThePortraitWidthKeepsTheChoiceAndPrintsOrPreviews)
{
    schedulePrintSelection() = SchedulePrintSelection();
    writeSql("UPDATE Preferences SET ShowCostOnSchedPrint = 0");
    addAssociate("BOB", "Bob Builder", "pw", 1);
    jobOn("ADM", {"2025-03-03"});
    jobOn("BOB", {"2025-03-03"});
    const QString s = QString::number(schedule_);
    auto form = shown<ScheduleForm>("Modify~" + s);

    // Preview of one associate's part: the preview is told which.
    choose(form.get(), "AssociateCombo", "Bob Builder");
    click(form.get(), "GoButton");
    modal_->once("SchedulePrintForm", [&](QDialog *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "LandscapeOption")->isChecked());   // first use: landscape, all ticked
        EXPECT_FALSE(ticked(d, "CostCheck"));
        child<QRadioButton>(d, "PortraitOption")->setChecked(true);
        click(d, "OKButton");   // every column is wider than an upright sheet
        EXPECT_TRUE(d->isVisible());
        tick(d, "CommentCheck", false);
        tick(d, "PhoneCheck", false);
        click(d, "PreviewButton");
    });
    msgs_->clear();
    form->PrintButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList({"The width of the selected fields exceeds the printer's printable area.\r\n"
                                           "Change the selection or set the orientation to landscape"}));
    ASSERT_EQ(modal_->openedNames().last(), "PreviewScheduleForm");
    EXPECT_EQ(modal_->opened().last().tag, s + "~BOB");
    EXPECT_TRUE(schedulePrintSelection().portrait && !schedulePrintSelection().comments);
    EXPECT_EQ(count("SELECT COUNT(*) FROM SchedulePrintFields WHERE Orientation = 'P' AND Phone = 0 AND Cost = 0"), 1);

    // The choice is kept; no fields, then Cancel, print nothing.
    modal_->once("SchedulePrintForm", [&](QDialog *d) {
        EXPECT_TRUE(child<QRadioButton>(d, "PortraitOption")->isChecked() && !ticked(d, "PhoneCheck"));
        click(d, "UnselectAllButton");
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        click(d, "CancelButton");
    });
    form->PrintButton_Click();
    EXPECT_EQ(msgs_->texts().last(), "No fields selected");
    EXPECT_EQ(session().selectedPrinterIndex, 999);

    // Print of every associate, into the PDF file the user names.
    choose(form.get(), "AssociateCombo", "<All>");
    click(form.get(), "GoButton");
    modal_->once("SchedulePrintForm", [&](QDialog *d) { click(d, "OKButton"); });
    EXPECT_EQ(printed([&] { form->PrintButton_Click(); }).size(), 2);
    form->ExitButton_Click();

    // The width check adds to the margins' 1030: customer 2785, address or location 2700, phone 2000, job or cost
    // 2900, comments at their narrowest 1500, check box 250.
    EXPECT_EQ(JobSchedulePrintout::requiredWidth(SchedulePrintSelection::all()), 1030 + 2785 + 2700 + 2000 + 2900 + 1500 + 250);
    EXPECT_EQ(JobSchedulePrintout::requiredWidth({.location = true, .cost = true}), 1030 + 2700 + 2900);
    EXPECT_EQ(JobSchedulePrintout::requiredWidth({.comments = true, .checkBox = true}), 1030 + 1500 + 250);
    // Each column alone, and each pair that shares a column counted once.
    const std::pair<SchedulePrintSelection, int> widths[] = {
        {{.customerName = true}, 2785}, {{.address = true}, 2700}, {{.location = true}, 2700}, {{.phone = true}, 2000},
        {{.jobType = true}, 2900}, {{.cost = true}, 2900}, {{.comments = true}, 1500}, {{.checkBox = true}, 250},
        {{.address = true, .location = true}, 2700}, {{.jobType = true, .cost = true}, 2900}};
    for (int i = 0; const auto &[selection, width] : widths)
        EXPECT_EQ(JobSchedulePrintout::requiredWidth(selection), 1030 + width) << i++;
    // A choice exactly as wide as the upright sheet fits; a twip more does not.
    for (const auto &[width, fits] : {std::pair{13165, true}, {13164, false}})
        EXPECT_EQ(JobSchedulePrintout::fitsUpright(SchedulePrintSelection::all(), width), fits) << width;
    // A printed comment line holds as many characters as the comments column's width allows.
    const std::pair<int, int> lengths[] = {{11001, 120}, {11000, 105}, {9501, 105}, {9500, 90}, {8001, 90}, {8000, 75},
        {6501, 75}, {6500, 60}, {5001, 60}, {5000, 45}, {3501, 45}, {3500, 25}, {2501, 25}, {2500, 15}, {1500, 15}};
    for (const auto &[width, length] : lengths)
        EXPECT_EQ(PageMedium::jobSchedulePaper().commentLineLength(width), length) << width;
    // The preview's smaller type holds longer lines in a column of the same width, upright or wide.
    const std::pair<int, int> onScreen[] = {{11001, 130}, {11000, 115}, {9501, 115}, {9500, 100}, {8001, 100}, {8000, 85},
        {6501, 85}, {6500, 70}, {5001, 70}, {5000, 55}, {3501, 55}, {3500, 35}, {2501, 35}, {2500, 20}, {1500, 20}};
    for (const bool portrait : {false, true})
        for (const auto &[width, length] : onScreen)
            EXPECT_EQ(PageMedium::jobScheduleScreen(portrait).commentLineLength(width), length) << width << portrait;

    // Any one column alone is a selection, the check box column too; a page break by date alone is none.
    writeSql("UPDATE Preferences SET ShowCostOnSchedPrint = 1");
    for (const char *alone : {"CustomerNameCheck", "AddressCheck", "LocationCheck", "PhoneCheck", "JobTypeCheck",
                              "CostCheck", "CommentCheck", "CheckBoxCheck", "PageBreakCheck"}) {
        msgs_->clear();
        auto options = shown<SchedulePrintForm>();
        click(options.get(), "UnselectAllButton");
        tick(options.get(), "PageBreakCheck", false);
        child<QRadioButton>(options.get(), "LandscapeOption")->setChecked(true);
        tick(options.get(), alone, true);
        click(options.get(), "OKButton");
        const bool column = std::string(alone) != "PageBreakCheck";
        EXPECT_EQ(msgs_->texts(), column ? QStringList() : QStringList({"No fields selected"})) << alone;
        EXPECT_EQ(options->isVisible(), !column) << alone;
    }
    // First use with the cost shown on printouts: landscape, every box ticked, the cost's too.
    writeSql("DELETE FROM SchedulePrintFields");
    auto first = shown<SchedulePrintForm>();
    EXPECT_TRUE(child<QRadioButton>(first.get(), "LandscapeOption")->isChecked());
    for (const char *box : {"CustomerNameCheck", "AddressCheck", "LocationCheck", "PhoneCheck", "JobTypeCheck", "CostCheck",
                            "CommentCheck", "CheckBoxCheck", "PageBreakCheck"})
        EXPECT_TRUE(ticked(first.get(), box)) << box;
}

// Each print option switches its own part of the printout and no other, on the sheet as on the screen: turned on
// alone, only what it shows is there; with every other one on, all but what it shows is there. An item shows when
// any one of the options that show it is on (the address column's heading, say, by the address or the location).
TEST_F(JobSchedulePrintTest, EachPrintOptionShowsItsOwnColumnAndNoOther)
{
    const qint64 customer = addCustomer({.surname = "Brown", .forename = "Ann", .phone1 = "P-one", .phone2 = "P-two",
                                         .preferredPhone = 2, .comment = "Dog in yard", .commentOnSchedule = true});
    const qint64 job = addJob({.customer = customer, .address = addAddress(customer, "Line-one", "Suburb-L", "Line-two"),
                               .costCents = 6789, .comment = "Side gate", .commentOnSchedule = true});
    storeJob(schedule_, job, "2025-03-03", ++seq_, QString(), QString());
    storeJob(schedule_, job, "2025-03-04", ++seq_, QString(), QString());

    using Option = bool SchedulePrintSelection::*;
    const std::pair<const char *, Option> options[] = {
        {"customer name", &SchedulePrintSelection::customerName}, {"address", &SchedulePrintSelection::address},
        {"location", &SchedulePrintSelection::location}, {"phone", &SchedulePrintSelection::phone},
        {"job type", &SchedulePrintSelection::jobType}, {"cost", &SchedulePrintSelection::cost},
        {"comments", &SchedulePrintSelection::comments}, {"check box", &SchedulePrintSelection::checkBox},
        {"break on date", &SchedulePrintSelection::breakOnDate}, {"portrait", &SchedulePrintSelection::portrait}};
    // Each item the printout can show, with the options that show it.
    const QString checkBox = "(check box)", newPage = "(the second day on a page of its own)", upright = "(upright sheet)";
    const std::pair<QString, std::vector<Option>> items[] = {
        {"Customer", {&SchedulePrintSelection::customerName}}, {"Brown, Ann", {&SchedulePrintSelection::customerName}},
        {"Address", {&SchedulePrintSelection::address, &SchedulePrintSelection::location}},
        {"Line-one", {&SchedulePrintSelection::address}}, {"Line-two", {&SchedulePrintSelection::address}},
        {"Suburb-L", {&SchedulePrintSelection::location}},
        {"Phone", {&SchedulePrintSelection::phone}}, {"P-two", {&SchedulePrintSelection::phone}},
        {"Job", {&SchedulePrintSelection::jobType, &SchedulePrintSelection::cost}},
        {"Window cleaning", {&SchedulePrintSelection::jobType}}, {"$67.89", {&SchedulePrintSelection::cost}},
        {"Comments", {&SchedulePrintSelection::comments}}, {"Dog in yard", {&SchedulePrintSelection::comments}},
        {"Side gate", {&SchedulePrintSelection::comments}},
        {checkBox, {&SchedulePrintSelection::checkBox}}, {newPage, {&SchedulePrintSelection::breakOnDate}},
        {upright, {&SchedulePrintSelection::portrait}}};

    // What the pages show; a picture above the footer's rule is the check box (the sheet's footer has one of its own).
    auto shownItems = [&](JobSchedulePrintout &p, QSize page, bool uprightSheet) {
        const QVector<Page> pages = printtest::layOut(p, page);
        QStringList drawn;
        bool picture = false;
        for (const Page &onPage : pages)
            for (const Drawn &d : onPage) {
                drawn << d.text;
                picture = picture || (d.kind == Drawn::Picture && d.at.top() < p.medium().footerRule(page.height()));
            }
        QStringList shown;
        for (const auto &[item, by] : items)
            if (item == checkBox ? picture : item == newPage ? pages.size() > 1 : item == upright ? uprightSheet
                                                                                                     : drawn.contains(item))
                shown << item;
        return shown;
    };
    for (const auto &[name, option] : options) {
        for (const bool alone : {true, false}) {
            SchedulePrintSelection chosen{.confirmed = true};
            for (const auto &[other, o] : options)
                chosen.*o = (o == option) == alone;
            QStringList expected;
            for (const auto &[item, by] : items)
                if (std::any_of(by.begin(), by.end(), [&](Option o) { return chosen.*o; }))
                    expected << item;

            JobSchedulePrintout sheet(schedule_, QString(), chosen);
            JobSchedulePrintout screen(schedule_, QString(), chosen, PageMedium::jobScheduleScreen(chosen.portrait));
            ASSERT_TRUE(sheet.load() && screen.load());
            const bool uprightSheet = sheet.orientation() == QPageLayout::Portrait;
            const QSize paper = uprightSheet ? QSize(11906, 16838) : QSize(16838, 11906);   // A4
            EXPECT_EQ(shownItems(sheet, paper, uprightSheet), expected) << name << (alone ? " alone" : " off");
            EXPECT_EQ(shownItems(screen, screen.medium().page, uprightSheet), expected)
                << name << (alone ? " alone" : " off") << " on the screen";
        }
    }
}

// Each box of the print options is kept in its own field and handed to the printout as its own choice, and the
// next opening shows it ticked again: each box ticked alone, and each left clear with all the others ticked.
TEST_F(JobSchedulePrintTest, EachPrintOptionBoxIsKeptAndHandedOnAsItsOwnChoice)
{
    writeSql("UPDATE Preferences SET ShowCostOnSchedPrint = 1");
    using Option = bool SchedulePrintSelection::*;
    const std::tuple<const char *, const char *, Option> boxes[] = {
        {"CustomerNameCheck", "CustomerName", &SchedulePrintSelection::customerName},
        {"AddressCheck", "Address1", &SchedulePrintSelection::address},
        {"LocationCheck", "Location", &SchedulePrintSelection::location},
        {"PhoneCheck", "Phone", &SchedulePrintSelection::phone},
        {"JobTypeCheck", "JobType", &SchedulePrintSelection::jobType},
        {"CostCheck", "Cost", &SchedulePrintSelection::cost},
        {"CommentCheck", "Comments", &SchedulePrintSelection::comments},
        {"CheckBoxCheck", "Checkbox", &SchedulePrintSelection::checkBox},
        {"PageBreakCheck", "BreakOnDate", &SchedulePrintSelection::breakOnDate}};
    for (const auto &[box, field, option] : boxes) {
        for (const bool alone : {true, false}) {
            SCOPED_TRACE(std::string(box) + (alone ? " alone" : " clear"));
            if (alone && std::string(box) == "PageBreakCheck")
                continue;   // no column: refused (above)
            auto options = shown<SchedulePrintForm>();
            child<QRadioButton>(options.get(), "LandscapeOption")->setChecked(true);
            for (const auto &[other, f, o] : boxes)
                tick(options.get(), other, (other == box) == alone);
            test::pressButton(options.get(), "OKButton");
            ASSERT_FALSE(options->isVisible());
            for (const auto &[other, f, o] : boxes) {
                const bool on = (other == box) == alone;
                EXPECT_EQ(count(QStringLiteral("SELECT %1 FROM SchedulePrintFields").arg(f)), int(on)) << f;
                EXPECT_EQ(schedulePrintSelection().*o, on) << other;
            }
            auto again = shown<SchedulePrintForm>();
            for (const auto &[other, f, o] : boxes)
                EXPECT_EQ(ticked(again.get(), other), (other == box) == alone) << other;
        }
    }
    // The cost on printouts greys the cost's box alone; the other cost and phone preferences have no say in it.
    for (const bool costOnPrintouts : {false, true}) {
        writeSql("UPDATE Preferences SET ShowCostOnSchedPrint = ?, ShowCostOnSchedEmail = ?, ShowPhoneOnSchedEmail = ?, "
                 "ShowCostOnPortal = ?", {int(costOnPrintouts), int(!costOnPrintouts), int(!costOnPrintouts),
                                          int(!costOnPrintouts)});
        auto options = shown<SchedulePrintForm>();
        for (const auto &[box, f, o] : boxes)
            EXPECT_EQ(child<QCheckBox>(options.get(), box)->isEnabled(), costOnPrintouts || std::string(box) != "CostCheck")
                << box << costOnPrintouts;
    }
}

// With nothing installed to print on, not even the PDF file, the options say so and grey Print; a preview can still
// be had.
TEST_F(JobSchedulePrintTest, WithNoPrinterInstalledTheOptionsSayNoPrintersFoundAndGreyPrint)
{
    printers_->pdfFile = false;
    jobOn("ADM", {"2025-03-03"});
    auto form = shown<ScheduleForm>("View~" + QString::number(schedule_));
    modal_->once("SchedulePrintForm", [&](QDialog *d) {
        EXPECT_EQ(msgs_->texts(), QStringList{"No printers found"});
        EXPECT_FALSE(child<QPushButton>(d, "OKButton")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(d, "PreviewButton")->isEnabled());
        tick(d, "CustomerNameCheck", true);
        test::pressButton(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
        test::pressButton(d, "PreviewButton");
    });
    msgs_->clear();
    form->PrintButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList{"No printers found"});
    EXPECT_EQ(modal_->openedNames().last(), "PreviewScheduleForm");
}

// ---- the words of the windows and the printed page -------------------------

TEST_F(JobSchedulePrintTest, PrintExportEmailAndPreviewWindowsShowTheirCaptions)
{
    SchedulePrintForm print;
    EXPECT_EQ(print.windowTitle(), "Print Job Schedule");
    expectShown(&print, {{"PrinterLabel", " Printer"}, {"LayoutLabel", "Layout"}, {"PortraitOption", "Portrait"},
                         {"LandscapeOption", "Landscape"}, {"SelectLabel", "Fields to be printed"},
                         {"CustomerNameCheck", "Customer Name"}, {"AddressCheck", "Service Address"},
                         {"LocationCheck", "Service Location"}, {"PhoneCheck", "Customer Phone"},
                         {"JobTypeCheck", "Job Description"}, {"CostCheck", "Cost"}, {"CommentCheck", "Job Comments"},
                         {"CheckBoxCheck", "Check Box"}, {"PageBreakCheck", "Page Break by Service Date"},
                         {"SelectAllButton", "&Select All"}, {"UnselectAllButton", "&Unselect All"},
                         {"OKButton", "&Print"}, {"PreviewButton", "Pre&view"}, {"CancelButton", "&Cancel"}});

    // The export columns (their headings in the file are guarded with the export).
    ScheduleExportForm columns;
    EXPECT_EQ(columns.windowTitle(), " ");
    expectShown(&columns, {{"SelectLabel", "Select the fields to be exported"}, {"AssociateCheck", "Associate"},
                           {"ServiceDateCheck", "Service Date"}, {"ForenameCheck", "Customer Forename"},
                           {"SurnameCheck", "Customer Surname"}, {"PhoneCheck", "Customer Phone"},
                           {"Address1Check", "Service Address Line 1"}, {"Address2Check", "Service Address Line 2"},
                           {"Address3Check", "Service Address Line 3"}, {"SuburbCheck", "Service Location"},
                           {"CityCheck", "Service City"}, {"JobTypeCheck", "Job Description"}, {"CostCheck", "Cost"},
                           {"CommentCheck", "Job Comments"}, {"SelectAllButton", "&Select All"},
                           {"UnselectAllButton", "&Unselect All"}, {"OKButton", "&OK"}, {"ExitButton", "&Exit"}});

    ScheduleEmailForm email;
    EXPECT_EQ(email.windowTitle(), "Send Email");
    expectShown(&email, {{"MessageFrame", "Message"}, {"AddressFrame", "To Address"},
                         {"RecordOption", "Address on Associate record"}, {"SpecificOption", "To be entered on email"},
                         {"OKButton", "&OK"}, {"CancelButton", "&Cancel"}});
    auto *message = email.findChild<QPlainTextEdit *>("MessageText");   // at most 255 characters
    test::typeKeys(message, QString(260, 'x'));
    EXPECT_EQ(message->toPlainText(), QString(255, 'x'));

    PreviewScheduleForm schedule;
    PreviewScheduleNotesForm scheduleNotes;
    PreviewCustomerNotesForm customerNotes;
    for (const QWidget *preview : std::initializer_list<const QWidget *>{&schedule, &scheduleNotes, &customerNotes}) {
        expectShown(preview, {{"ExitButton", "&Close"}, {"PrintButton", "&Print"}});
        EXPECT_EQ(preview->findChild<QPushButton *>("ExitButton")->toolTip(), "Close this window");
    }
}

} // namespace
