#include "platform/Form.h"
#include "platform/FormRegistry.h"
#include "platform/PasteCatcher.h"
#include "support/Keys.h"
#include "support/TestData.h"

#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <memory>

using namespace wvs;

namespace {

class TypeAheadWindowsTest : public test::DataDbTest {
protected:
    // The type-ahead boxes of a window: editable combo boxes whose line
    // edit a paste catcher watches.
    static QList<QComboBox *> typeAheadBoxes(QWidget *w)
    {
        QList<QComboBox *> boxes;
        for (QComboBox *c : w->findChildren<QComboBox *>())
            if (c->lineEdit() && c->findChild<PasteCatcher *>())
                boxes << c;
        return boxes;
    }
};

// Every window with a type-ahead box, opened as its opener opens it: a paste
// by any paste key, sent where the window system sends keys (the combo box
// holds the focus), is searched as typed, never put in as it stands; and the
// window closes without its boxes' catchers touching a box being destroyed
// (a build with the address and undefined-behaviour sanitizers checks that).
TEST_F(TypeAheadWindowsTest, EveryPasteKeyIsSearchedAndEveryWindowClosesCleanly)
{
    const qint64 customer = addCustomer({.cSuburb = "Te Atatu"});
    const qint64 address = addAddress(customer, "1 Main Road", "Te Atatu");
    addJobType("WIN", "Windows");
    const qint64 job = addJob({.customer = customer, .address = address, .start = "2025-03-03"});
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-16", "Closed");
    storeJob(schedule, job, "2025-03-03");
    // How each window's opener opens it.
    const QHash<QString, QString> tags = {
        {"CustomersManagementForm", ""},
        {"CustomerJobsManagementForm", ""},
        {"CustomerJobAddModifyForm", QString("Add~%1~").arg(customer)},
        {"AssociateAddModifyForm", "Add"},
        {"AuthorityAccessForm", ""},
        {"ScheduleForm", QString("View~%1").arg(schedule)},
        {"ScheduleJobNoteForm", QString("%1~2025-03-03~%2").arg(schedule).arg(job)},
        {"ScheduleNotesForm", QString("Schedule~%1").arg(schedule)},
    };
    QList<QKeyCombination> pasteKeys;
    for (const QKeySequence &k : QKeySequence::keyBindings(QKeySequence::Paste))
        pasteKeys << k[0];
    ASSERT_TRUE(pasteKeys.contains(QKeyCombination(Qt::ControlModifier, Qt::Key_V)));
    ASSERT_TRUE(pasteKeys.contains(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert)));
    pasteKeys << QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Insert);

    QStringList withTypeAhead;
    for (const QString &name : FormRegistry::names()) {
        std::unique_ptr<QDialog> probe(FormRegistry::create(name));
        if (typeAheadBoxes(probe.get()).isEmpty())
            continue;
        probe.reset();
        withTypeAhead << name;
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(tags.contains(name)) << "no opening given for " << name.toStdString();
        auto *window = qobject_cast<Form *>(FormRegistry::create(name));
        ASSERT_NE(window, nullptr);
        window->Tag = tags.value(name);
        window->show();
        settle();
        for (QComboBox *box : typeAheadBoxes(window)) {
            if (!box->isEnabled() || !box->isVisibleTo(window))
                continue;
            SCOPED_TRACE(box->objectName().toStdString());
            box->setCurrentIndex(-1);
            box->lineEdit()->clear();
            QWidget *keys = test::focusOn(box->lineEdit());
            EXPECT_EQ(keys, box);
            for (const QKeyCombination key : pasteKeys) {
                SCOPED_TRACE(QKeySequence(key).toString().toStdString());
                msgs_->clear();
                QGuiApplication::clipboard()->setText("zz\nq");
                test::press(key.key(), key.keyboardModifiers());
                EXPECT_EQ(msgs_->texts(), QStringList{"zz q not found"});
                EXPECT_EQ(box->lineEdit()->text(), "");
                // The start of an item pasted completes to the first item
                // (in list order, any case) that begins with it, as typing does.
                if (box->count() == 0)
                    continue;
                const QString start = box->itemText(box->count() - 1).left(3);
                QString first;
                for (int i = 0; i < box->count() && first.isEmpty(); ++i)
                    if (box->itemText(i).startsWith(start, Qt::CaseInsensitive))
                        first = box->itemText(i);
                box->lineEdit()->clear();
                QGuiApplication::clipboard()->setText(start.toLower());
                test::press(key.key(), key.keyboardModifiers());
                EXPECT_EQ(box->lineEdit()->text(), first);
                EXPECT_EQ(box->lineEdit()->selectedText(), first.mid(start.size()));
                EXPECT_EQ(msgs_->texts(), QStringList{"zz q not found"}); // nothing more said
                box->lineEdit()->clear();
            }
        }
        window->close();
        delete window;
        settle();
    }
    QGuiApplication::clipboard()->clear();
    withTypeAhead.sort();
    EXPECT_EQ(withTypeAhead, QStringList({"AssociateAddModifyForm", "AuthorityAccessForm", "CustomerJobAddModifyForm",
                                          "CustomerJobsManagementForm", "CustomersManagementForm", "ScheduleForm",
                                          "ScheduleJobNoteForm", "ScheduleNotesForm"}));
}

} // namespace
