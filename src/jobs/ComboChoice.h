#pragma once
#include <QComboBox>

namespace wvs {

// The position of the item a combo box has chosen, or -1. An editable combo
// whose typed text is not its current item's has chosen nothing.
inline int chosenIndex(const QComboBox *combo)
{
    const int i = combo->currentIndex();
    if (i < 0)
        return -1;
    if (combo->isEditable() && combo->currentText() != combo->itemText(i))
        return -1;
    return i;
}

} // namespace wvs
