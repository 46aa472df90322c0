#include "common/DateSelectForm.h"
#include "common/PrinterSelectForm.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

using namespace wvs;

// What the date-range and printer dialogs say: the window's title (no
// control), then each control's caption.
TEST(ChoiceDialogWords, TitlesLabelsAndButtons)
{
    DateSelectForm dates;
    PrinterSelectForm printers;
    const struct {
        QWidget *window;
        const char *control;
        const char *caption;
    } words[] = {
        {&dates, nullptr, "Select Dates"}, {&dates, "FromLabel", "From date"}, {&dates, "ToLabel", "To date"},
        {&dates, "OKButton", "&OK"}, {&dates, "ExitButton", "&Exit"},
        {&printers, nullptr, "Select a Printer"}, {&printers, "SelectLabel", " Printer"},
        {&printers, "OKButton", "&Print"}, {&printers, "PreviewButton", "Pre&view"},
        {&printers, "CancelButton", "&Cancel"},
    };
    for (const auto &w : words) {
        QString shown = w.window->windowTitle();
        if (w.control) {
            QWidget *c = w.window->findChild<QWidget *>(QString::fromLatin1(w.control));
            ASSERT_NE(c, nullptr) << w.control;
            auto *label = qobject_cast<QLabel *>(c);
            shown = label ? label->text() : qobject_cast<QAbstractButton *>(c)->text();
        }
        EXPECT_EQ(shown, w.caption);
    }
}
