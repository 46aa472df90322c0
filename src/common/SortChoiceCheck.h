#pragma once

class QComboBox;

namespace wvs {

// The lists sort on a chosen column in a chosen order: when either is not
// chosen the user is told which and the box gets the focus.
bool sortChoiceMade(QComboBox *columnCombo, QComboBox *orderCombo);

} // namespace wvs
