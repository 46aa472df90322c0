#pragma once
#include "core/Session.h"
#include "platform/FormRegistry.h"
#include "support/DbTest.h"
#include "support/ShownTexts.h"

namespace wvs::test {

// Windows of the administration area shown as the user sees them, the administrator logged on.
class AdminWindowTest : public AdminDbTest {
protected:
    static void setPortal(bool on) { writeSql("UPDATE Preferences SET Portal = ?", {on ? 1 : 0}); }

    // The list row whose column shows the text (0: none).
    static int rowOf(FlexGrid *g, const QString &text, int col = 1) { return int(column(g, col).indexOf(text)) + 1; }
};

} // namespace wvs::test
