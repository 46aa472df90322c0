#pragma once
#include "core/Session.h"
#include "platform/FormRegistry.h"
#include "support/DbTest.h"
#include "support/Keys.h"
#include "support/ShownTexts.h"

namespace wvs::test {

// Windows of the administration area shown as the user sees them, the administrator logged on.
class AdminWindowTest : public AdminDbTest {
protected:
    static void setPortal(bool on) { writeSql("UPDATE Preferences SET Portal = ?", {on ? 1 : 0}); }

    // The list row whose column shows the text (0: none).
    static int rowOf(FlexGrid *g, const QString &text, int col = 1) { return int(column(g, col).indexOf(text)) + 1; }

    // Typed by keys over what the box holds, all of it selected first.
    static void retypeBox(QWidget *w, const char *box, const QString &text) { retypeKeys(child<QWidget>(w, box), text); }
    // A row of a save table: what the control is given and what its column then stores, by a first save and by
    // a second that changes it.
    struct SavedControl {
        const char *control, *first, *firstStored, *second, *secondStored, *column;
    };
    // Every value a save stores differs from the others, so a control saved to another's column shows.
    template <size_t N>
    static void expectDistinct(const SavedControl (&rows)[N])
    {
        for (const bool first : {true, false}) {
            QSet<QString> stored;
            for (const SavedControl &r : rows)
                stored << (first ? r.firstStored : r.secondStored);
            ASSERT_EQ(stored.size(), int(N));
        }
    }
    // What the single-row table holds in the column.
    static QString storedIn(const QString &table, const QString &column)
    {
        return rowsOf(QStringLiteral("SELECT %1 FROM %2").arg(column, table));
    }
};

} // namespace wvs::test
