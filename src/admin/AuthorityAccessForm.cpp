#include "admin/AuthorityAccessForm.h"
#include "common/AutoCompleteComboModule.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace wvs {

WVS_REGISTER_FORM(AuthorityAccessForm);

namespace {
QString boxSuffix(RightsBox b)
{
    switch (b) {
    case RightsBox::View: return QStringLiteral("RCheck");
    case RightsBox::Change: return QStringLiteral("WCheck");
    case RightsBox::Notes: return QStringLiteral("NCheck");
    }
    return QString();
}

QPair<int, int> key(RightsArea a, RightsBox b) { return {int(a), int(b)}; }

// The three boxes of a row, each with its flag in t.
std::array<std::pair<RightsBox, bool>, 3> perBox(const RightsTicks &t)
{
    return {{{RightsBox::View, t.view}, {RightsBox::Change, t.change}, {RightsBox::Notes, t.notes}}};
}
} // namespace

AuthorityAccessForm::AuthorityAccessForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AuthorityAccessForm"));
    setWindowTitle(QStringLiteral("Authority Access"));

    LevelCombo = new QComboBox(this);
    LevelCombo->setObjectName(QStringLiteral("LevelCombo"));
    LevelCombo->setEditable(true);
    LevelCombo->setInsertPolicy(QComboBox::NoInsert);
    LevelCombo->setMinimumWidth(220);
    installAutoMatch(LevelCombo);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    const QStringList headings{QStringLiteral("Function"), QStringLiteral("View"), QStringLiteral("Add/Modify/Delete"),
                               QStringLiteral("Add Notes")};
    for (int c = 0; c < headings.size(); ++c) {
        auto *l = new QLabel(headings[c], this);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        grid->addWidget(l, 0, c, c == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    int row = 1;
    for (const RightsAreaInfo &i : AccessRights::areas()) {
        grid->addWidget(new QLabel(i.caption, this), row, 0);
        int col = 1;
        for (const auto &[which, has] : perBox({i.hasView, i.hasChange, i.hasNotes})) {
            if (has) {
                auto *b = new QCheckBox(this);
                b->setObjectName(i.prefix + boxSuffix(which));
                boxes_.insert(key(i.area, which), b);
                const RightsArea area = i.area;
                connect(b, &QCheckBox::toggled, this, [this, area, which](bool) { Box_Click(area, which); });
                grid->addWidget(b, row, col, Qt::AlignHCenter);
            } else {
                grid->addWidget(new QLabel(QStringLiteral("N/A"), this), row, col, Qt::AlignHCenter);
            }
            ++col;
        }
        ++row;
    }

    SelectAllButton = makeButton("SelectAllButton", "&Select All");
    ClearAllButton = makeButton("ClearAllButton", "&Clear All");
    OKButton = makeButton("OKButton", "&Save");
    ExitButton = makeButton("ExitButton", "&Exit");

    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(new QLabel(QStringLiteral("Authority Level"), this));
    levelRow->addWidget(LevelCombo);
    levelRow->addStretch();
    auto *frame = new QGroupBox(this);
    frame->setLayout(grid);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SelectAllButton);
    buttons->addWidget(ClearAllButton);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(ExitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(levelRow);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(SelectAllButton, &QPushButton::clicked, this, &AuthorityAccessForm::SelectAllButton_Click);
    connect(ClearAllButton, &QPushButton::clicked, this, &AuthorityAccessForm::ClearAllButton_Click);
    connect(OKButton, &QPushButton::clicked, this, &AuthorityAccessForm::OKButton_Click);
    connect(ExitButton, &QPushButton::clicked, this,
            [this] { guarded("AuthorityAccessForm", "ExitButton_Click", [&] { reject(); }); });

    guarded("AuthorityAccessForm", "Form_Load", [&] {
        // Without the Security change right the rights can be looked at but not saved.
        if (!AccessRights::allows(session().currentAuthorityLevel, RightsArea::Security, AreaCommand::Change))
            OKButton->setEnabled(false);
        LevelList = AuthorityLevelStore::all();
        for (const AuthorityLevel &l : LevelList)
            LevelCombo->addItem(l.description);
        LevelCombo->setCurrentIndex(-1);
    });
    // A level chosen by a click or by typing shows its rights, so Save always
    // writes the boxes of the level that is shown.
    connect(LevelCombo, &QComboBox::currentIndexChanged, this, [this](int) { LevelCombo_Click(); });
}

QCheckBox *AuthorityAccessForm::box(RightsArea area, RightsBox which) const { return boxes_.value(key(area, which)); }

RightsTicks AuthorityAccessForm::ticks(RightsArea area) const
{
    auto ticked = [&](RightsBox b) {
        QCheckBox *c = box(area, b);
        return c && c->isChecked();
    };
    return {ticked(RightsBox::View), ticked(RightsBox::Change), ticked(RightsBox::Notes)};
}

void AuthorityAccessForm::setTicks(RightsArea area, const RightsTicks &t)
{
    for (const auto &[which, on] : perBox(t))
        if (QCheckBox *c = box(area, which))
            c->setChecked(on);
}

void AuthorityAccessForm::Box_Click(RightsArea area, RightsBox which)
{
    const QString name = box(area, which)->objectName() + QStringLiteral("_Click");
    guarded("AuthorityAccessForm", name.toUtf8().constData(), [&] {
        if (showingStored_)
            return;
        const RightsTicks now = ticks(area);
        const RightsTicks after = AccessRights::applyRule(area, now, which);
        if (after != now)
            setTicks(area, after);
    });
}

void AuthorityAccessForm::LevelCombo_Click()
{
    guarded("AuthorityAccessForm", "LevelCombo_Click", [&] {
        ClearAllButton_Click();
        shown_.clear();
        const int index = LevelCombo->currentIndex();
        if (index < 0 || index >= LevelList.size())
            return;
        const auto values = AccessRights::load(LevelList[index].number);
        if (!values)
            return;
        shown_ = *values;
        showingStored_ = true;
        for (const RightsAreaInfo &i : AccessRights::areas())
            setTicks(i.area, AccessRights::ticksFor(i.area, values->value(i.area)));
        showingStored_ = false;
    });
}

void AuthorityAccessForm::SelectAllButton_Click()
{
    guarded("AuthorityAccessForm", "SelectAllButton_Click", [&] {
        for (const RightsAreaInfo &i : AccessRights::areas())
            setTicks(i.area, {true, true, true});
    });
}

void AuthorityAccessForm::ClearAllButton_Click()
{
    guarded("AuthorityAccessForm", "ClearAllButton_Click", [&] {
        for (const RightsAreaInfo &i : AccessRights::areas())
            setTicks(i.area, {false, false, false});
    });
}

void AuthorityAccessForm::OKButton_Click()
{
    guarded("AuthorityAccessForm", "OKButton_Click", [&] {
        const int index = LevelCombo->currentIndex();
        if (index < 0 || index >= LevelList.size()) {
            msgBox(QStringLiteral("Please select an Authority Level"));
            LevelCombo->setFocus();
            return;
        }
        RightsValues values;
        for (const RightsAreaInfo &i : AccessRights::areas())
            values.insert(i.area, AccessRights::valueOf(i.area, ticks(i.area)));
        AccessRights::save(LevelList[index].number, shown_, values);
        shown_ = values;
        msgBox(QStringLiteral("Authority Access updated"));
    });
}

} // namespace wvs
