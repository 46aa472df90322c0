#pragma once
#include "core/Session.h"
#include "platform/FlexGrid.h"
#include "platform/FormRegistry.h"
#include "support/DbTest.h"

#include <QTest>

namespace wvs::test {

// Windows of the administration area shown as the user sees them, the administrator logged on.
class AdminWindowTest : public AdminDbTest {
protected:
    static void setPortal(bool on) { writeSql("UPDATE Preferences SET Portal = ?", {on ? 1 : 0}); }

    // The list row whose column shows the text (0: none).
    static int rowOf(FlexGrid *g, const QString &text, int column = 1)
    {
        for (int r = 1; r < g->rows(); ++r)
            if (g->textMatrix(r, column) == text)
                return r;
        return 0;
    }
};

} // namespace wvs::test
