#pragma once
#include "platform/MultiLineText.h"
#include "support/Keys.h"

#include <QScrollBar>
#include <QTest>
#include <functional>
#include <utility>
#include <gtest/gtest.h>

namespace wvs::test {

// Gives the program's multi-line box and a plain one the same step, and
// expects them to show the same text and caret and to stand alike in their
// undo history.
inline void besidePlain(MultiLineText &ours, QPlainTextEdit &plain, const std::function<void(QPlainTextEdit &)> &step)
{
    step(ours);
    step(plain);
    EXPECT_EQ(ours.text(), plain.toPlainText());
    EXPECT_EQ(ours.textCursor().position(), plain.textCursor().position());
    EXPECT_EQ(ours.document()->isModified(), plain.document()->isModified());
    EXPECT_EQ(ours.document()->isUndoAvailable(), plain.document()->isUndoAvailable());
    EXPECT_EQ(ours.document()->isRedoAvailable(), plain.document()->isRedoAvailable());
}

// A step that presses a key in whichever box it is given.
inline auto keyStep(Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier)
{
    return [=](auto &box) { test::press(&box, key, held); };
}

// One way of pasting a text into a box (Ctrl+V, a drop, ...), at its caret.
using PasteWay = std::function<void(QPlainTextEdit &, const QString &)>;

// After a little typing, a paste long enough to scroll the box, the caret
// moved (Home, Up and End, a click on the first line), and the same paste
// again, each step given to the program's box and, with the mended text, to
// a plain one, in boxes of two sizes: both pastes go in, and Ctrl+Z takes
// back the second alone, then the first.
inline void twoPastesBesidePlain(MultiLineText &ours, QPlainTextEdit &plain, const PasteWay &paste)
{
    QStringList given, mended;
    for (int n = 1; n <= 12; ++n) {
        const QString line = QString("%1. Gate code 1234, the dog stays in the back yard.").arg(n);
        given << line + QChar(0x01);
        mended << line;
    }
    const QString pasted = given.join(" "), asMended = mended.join(' ');
    const std::pair<const char *, std::function<void(QPlainTextEdit &)>> moves[] = {
        {"Home", keyStep(Qt::Key_Home)},
        {"Up and End", [](QPlainTextEdit &b) {
             press(&b, Qt::Key_Up);
             press(Qt::Key_End);
         }},
        {"a click on the first line", [](QPlainTextEdit &b) {
             b.verticalScrollBar()->setValue(0);
             const QPoint first = b.cursorRect(QTextCursor(b.document())).center();
             QTest::mouseClick(b.viewport(), Qt::LeftButton, {}, first + QPoint(30, 0));
         }},
    };
    const auto both = [&](const std::function<void(QPlainTextEdit &)> &step) { besidePlain(ours, plain, step); };
    for (const QSize size : {QSize(300, 60), QSize(500, 100)})
        for (const auto &[move, step] : moves) {
            SCOPED_TRACE(QString("%1 in a box of %2x%3").arg(move).arg(size.width()).arg(size.height()).toStdString());
            both([&](QPlainTextEdit &b) {
                b.clear();
                b.resize(size);
                typeKeys(&b, "Notes: ");
            });
            both([&](QPlainTextEdit &b) { paste(b, &b == &ours ? pasted : asMended); });
            const QString once = ours.text();
            EXPECT_EQ(once, "Notes: " + asMended);
            EXPECT_GT(ours.verticalScrollBar()->value(), 0) << "the paste did not scroll the box";
            both(step);
            const QString twice = QString(once).insert(ours.textCursor().position(), asMended);
            both([&](QPlainTextEdit &b) { paste(b, &b == &ours ? pasted : asMended); });
            EXPECT_EQ(ours.text(), twice);
            both(keyStep(Qt::Key_Z, Qt::ControlModifier));
            EXPECT_EQ(ours.text(), once);
            both(keyStep(Qt::Key_Z, Qt::ControlModifier));
            EXPECT_EQ(ours.text(), "Notes: ");
        }
}

} // namespace wvs::test
