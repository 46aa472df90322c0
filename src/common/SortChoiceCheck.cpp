#include "common/SortChoiceCheck.h"
#include "platform/MessageBox.h"

#include <QComboBox>

namespace wvs {

bool sortChoiceMade(QComboBox *columnCombo, QComboBox *orderCombo)
{
    if (columnCombo->currentIndex() < 0) {
        msgBox(QStringLiteral("Please select the column on which to base the sort"));
        columnCombo->setFocus();
        return false;
    }
    if (orderCombo->currentIndex() < 0) {
        msgBox(QStringLiteral("Please select the order on which to base the sort"));
        orderCombo->setFocus();
        return false;
    }
    return true;
}

} // namespace wvs
