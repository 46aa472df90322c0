#pragma once
#include "admin/AccessRights.h"
#include "admin/AuthorityLevelStore.h"
#include "platform/Form.h"

#include <QMap>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace wvs {

// The rights of one authority level, area by area: View, Add/Modify/Delete and
// Add Notes boxes under the tick rules; a save writes the areas changed.
class AuthorityAccessForm : public Form {
    Q_OBJECT
public:
    explicit AuthorityAccessForm(QWidget *parent = nullptr);

    // One entry per LevelCombo entry, in list order.
    QList<AuthorityLevel> LevelList;

    QCheckBox *box(RightsArea area, RightsBox which) const;
    RightsTicks ticks(RightsArea area) const;
    void setTicks(RightsArea area, const RightsTicks &t);

private:
    void LevelCombo_Click();
    void SelectAllButton_Click();
    void ClearAllButton_Click();
    void OKButton_Click();
    void Box_Click(RightsArea area, RightsBox which);

    QComboBox *LevelCombo;
    QPushButton *SelectAllButton;
    QPushButton *ClearAllButton;
    QPushButton *OKButton;
    QPushButton *ExitButton;
    QMap<QPair<int, int>, QCheckBox *> boxes_;
    // While a level's stored rights are shown the rules stay out of the way,
    // so the boxes show exactly what is stored.
    bool showingStored_ = false;
    // The shown level's rights as loaded (none when it had no row), or as last
    // saved: a save writes only the areas changed since.
    RightsValues shown_;
};

} // namespace wvs
