#include "common/PrinterSelectForm.h"
#include "platform/Printers.h"
#include "core/Session.h"
#include "support/DbTest.h"

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

TEST_F(PrinterSelectTest, ListsThePrintersWithTheCurrentOneChosenAndOkChoosesForThisPrintOnly)
{
    PrinterScript printers({"Office Laser", "Front Desk", "Workshop"}, 1);
    int listed = 0, current = -1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) {
        auto *combo = f->findChild<QComboBox *>("PrinterCombo");
        listed = combo->count();
        current = combo->currentIndex();
        combo->setCurrentIndex(2);
        click(f, "OKButton");
    });
    EXPECT_EQ(listed, 4); // and the PDF file
    EXPECT_EQ(current, 1);
    EXPECT_EQ(session().selectedPrinterIndex, 2);
    EXPECT_EQ(session().defaultPrinterIndex, 1);
    EXPECT_FALSE(opener_.PreviewPrint);
}

TEST_F(PrinterSelectTest, CancelHandsBackNineNineNineAndPreviewIsForNotesOnly)
{
    PrinterScript printers({"Office Laser", "Front Desk"}, 0);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "CancelButton"); });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    session().selectedPrinterIndex = 1;
    choose("CustomerNotes", [&](PrinterSelectForm *f) { f->close(); });
    EXPECT_EQ(session().selectedPrinterIndex, 999);
    EXPECT_FALSE(opener_.PreviewPrint);

    choose("ScheduleNotes", [&](PrinterSelectForm *f) {
        f->findChild<QComboBox *>("PrinterCombo")->setCurrentIndex(1);
        click(f, "PreviewButton");
    });
    EXPECT_TRUE(opener_.PreviewPrint);
    EXPECT_EQ(session().selectedPrinterIndex, 1);
}

// Enter prints on the printer shown; Escape cancels.
TEST_F(PrinterSelectTest, EnterPrintsAndEscapeCancels)
{
    PrinterScript printers({"Office Laser", "Front Desk"}, 1);
    for (const auto &[key, chosen] : {std::pair{Qt::Key_Return, 1}, {Qt::Key_Escape, 999}}) {
        bool closed = false;
        choose("CustomerNotes", [&, k = key](PrinterSelectForm *f) {
            QTest::keyClick(f, k);
            closed = !f->isVisible();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(session().selectedPrinterIndex, chosen);
    }
}

TEST_F(PrinterSelectTest, WithoutPrintersThePdfFileIsOffered)
{
    PrinterScript none({}, 0);
    choose("CustomerNotes", [&](PrinterSelectForm *f) { click(f, "OKButton"); });
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(session().selectedPrinterIndex, 0);
}

} // namespace

#include "PrinterSelectFormTest.moc"
