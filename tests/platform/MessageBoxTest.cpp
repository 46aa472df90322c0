#include "platform/MessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

using namespace wvs;

// A word wider than the box (a file name near the disk's limit, a server's reply without a blank) breaks where it
// must: the box stays within the screen and shows its whole text, its last character too; short words keep whole.
TEST(MessageBoxTest, ALongWordBreaksAnywhereSoTheWholeTextIsShown)
{
    const QString texts[] = {
        "Error 75 encountered when trying to open /home/office/exports/" + QString(130, QChar(0xE9)) + ".csv",
        "Schedule load failed - " + QString(1000, 'x') + QChar(0x2026),
        "Unable to open /home/office/exports/customers.csv. Please ensure that it is not in use"};
    QStringList shownTexts;
    for (const QString &text : texts) {
        SCOPED_TRACE(text.left(40).toStdString());
        QString shown;
        int screen = 0, box = 0, widest = 0, width = 0, needed = 0, height = 0;
        QTimer::singleShot(0, [&] {
            auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(b, nullptr);
            const QLabel *label = b->findChild<QLabel *>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            shown = label->text();
            screen = b->screen()->availableGeometry().width();
            box = b->frameGeometry().width();
            widest = label->minimumSizeHint().width();
            width = label->width();
            needed = label->heightForWidth(width);
            height = label->height();
            b->accept();
        });
        msgBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
        shownTexts << shown;
        EXPECT_EQ(QString(shown).remove(QChar(0x200B)), text);
        EXPECT_LE(box, screen);
        EXPECT_LE(widest, width);
        EXPECT_LE(needed, height);
        EXPECT_GT(height, 0);
    }
    // A word of ordinary length is never broken inside.
    EXPECT_EQ(shownTexts.value(2), texts[2]);
}
