#include "common/PrinterSelectForm.h"
#include "platform/Printers.h"
#include "core/Session.h"
#include "support/DbTest.h"
#include "scheduling/ShownTexts.h"

#include <QComboBox>
#include <QTest>

using namespace wvs;

namespace {

// A window that prints notes, with the preview request the dialog sets.
class PrintingOpener : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool PreviewPrint MEMBER PreviewPrint)
public:
    bool PreviewPrint = false;
};

class PrinterSelectTest : public test::DbTest {
protected:
    // Opens the dialog as a caller does and lets the handler act in it.
    void choose(const QString &tag, std::function<void(PrinterSelectForm *)> act)
    {
        modal_->once("PrinterSelectForm", [&](QDialog *d) { act(static_cast<PrinterSelectForm *>(d)); });
        PrinterSelectForm form(&opener_);
        form.Tag = tag;
        showModal(&form);
    }

    PrintingOpener opener_;
};

TEST_F(PrinterSelectTest, ListsThePrintersWithTheCurrentOneChosenAndEnterPrintsOnTheChosenOne)
{
    PrinterScript printers({"Office Laser", "Front Desk", "Workshop"}, 1);
    int listed = 0, current = -1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        EXPECT_EQ(f->windowTitle(), "Select a Printer");
        test::expectShown(f, {{"SelectLabel", " Printer"}, {"OKButton", "&Print"}, {"PreviewButton", "Pre&view"},
                              {"CancelButton", "&Cancel"}});
        auto *combo = f->findChild<QComboBox *>("PrinterCombo");
        listed = combo->count();
        current = combo->currentIndex();
        combo->setCurrentIndex(2);
        QTest::keyClick(f, Qt::Key_Return); // the Print button
    });
    EXPECT_EQ(listed, 4); // and the PDF file
    EXPECT_EQ(current, 1);
    EXPECT_EQ(session().selectedPrinterIndex, 2);
    EXPECT_EQ(session().defaultPrinterIndex, 1);
    EXPECT_FALSE(opener_.PreviewPrint);
}

TEST_F(PrinterSelectTest, CancelHandsBackNineNineNinePreviewIsForNotesOnlyAndWithoutPrintersThePdfFileIsOffered)
{
    PrinterScript printers({"Office Laser", "Front Desk"}, 0);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "CancelButton"); });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        QTest::keyClick(f, Qt::Key_Escape);
        EXPECT_FALSE(f->isVisible());
    });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    EXPECT_FALSE(opener_.PreviewPrint);

    choose("ScheduleNotes", [&](PrinterSelectForm *f) {
        f->findChild<QComboBox *>("PrinterCombo")->setCurrentIndex(1);
        click(f, "PreviewButton");
    });
    EXPECT_TRUE(opener_.PreviewPrint);
    EXPECT_EQ(session().selectedPrinterIndex, 1);

    printers.printers.clear();
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "OKButton"); });
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(session().selectedPrinterIndex, 0);
}

} // namespace

#include "PrinterSelectFormTest.moc"
