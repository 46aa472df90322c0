#include "common/DateSelectForm.h"
#include "common/PrinterSelectForm.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

using namespace wvs;

// What the date-range and printer dialogs say: the window's title, then the
// captions of the named controls.
TEST(ChoiceDialogWords, TitlesLabelsAndButtons)
{
    auto words = [](QWidget &&w, const QStringList &controls) {
        QStringList out{w.windowTitle()};
        for (const QString &name : controls) {
            QWidget *c = w.findChild<QWidget *>(name);
            auto *label = qobject_cast<QLabel *>(c);
            out << (label ? label->text() : c ? qobject_cast<QAbstractButton *>(c)->text() : "(missing)");
        }
        return out.join("|");
    };
    EXPECT_EQ(words(DateSelectForm(), {"FromLabel", "ToLabel", "OKButton", "ExitButton"}),
              "Select Dates|From date|To date|&OK|&Exit");
    EXPECT_EQ(words(PrinterSelectForm(), {"SelectLabel", "OKButton", "PreviewButton", "CancelButton"}),
              "Select a Printer| Printer|&Print|Pre&view|&Cancel");
}
