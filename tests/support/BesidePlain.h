#pragma once
#include "platform/MultiLineText.h"
#include "support/Keys.h"

#include <QTest>
#include <functional>
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

} // namespace wvs::test
