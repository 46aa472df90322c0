#include "customers/ExportChoiceForm.h"
#include "common/CsvExport.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/Modal.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace wvs {

ExportChoiceForm::ExportChoiceForm(QWidget *parent, const char *formName, const QString &table,
                                   const QList<Box> &boxes)
    : Form(parent), formName_(formName), table_(table), boxes_(boxes)
{
    setObjectName(QString::fromUtf8(formName));
    setWindowTitle(QStringLiteral(" "));
    const QFont arial(QStringLiteral("Arial"), 9);
    const QFont tahoma(QStringLiteral("Tahoma"), 9);

    auto *layout = new QVBoxLayout(this);
    auto *select = new QLabel(QStringLiteral("Select the fields to be exported"), this);
    select->setObjectName(QStringLiteral("SelectLabel"));
    select->setFont(arial);
    layout->addWidget(select);

    auto *grid = new QGridLayout;
    const int perColumn = (boxes_.size() + 1) / 2;
    for (int i = 0; i < boxes_.size(); ++i) {
        auto *c = new QCheckBox(QString::fromUtf8(boxes_[i].caption), this);
        c->setObjectName(QString::fromUtf8(boxes_[i].objectName));
        c->setFont(arial);
        grid->addWidget(c, i % perColumn, i / perColumn);
        checks_ << c;
    }
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    auto button = [&](const char *name, const char *caption) {
        QPushButton *b = makeButton(name, QString::fromUtf8(caption));
        b->setFont(tahoma);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *selectAll = button("SelectAllButton", "&Select All");
    QPushButton *unselectAll = button("UnselectAllButton", "&Unselect All");
    buttons->addStretch();
    QPushButton *ok = button("OKButton", "&OK");
    ok->setDefault(true);
    QPushButton *exit = button("ExitButton", "&Exit");
    layout->addLayout(buttons);
    connect(selectAll, &QPushButton::clicked, this, &ExportChoiceForm::SelectAllButton_Click);
    connect(unselectAll, &QPushButton::clicked, this, &ExportChoiceForm::UnselectAllButton_Click);
    connect(ok, &QPushButton::clicked, this, &ExportChoiceForm::OKButton_Click);
    connect(exit, &QPushButton::clicked, this, &ExportChoiceForm::ExitButton_Click);

    Form_Load();
}

void ExportChoiceForm::Form_Load()
{
    guarded(formName_, "Form_Load", [&] {
        const auto choice = CsvExport::readChoice(table_);
        for (int i = 0; i < boxes_.size(); ++i) {
            for (const auto &[field, value] : choice)
                if (field == QLatin1String(boxes_[i].field))
                    checks_[i]->setChecked(value == 1);
        }
    });
}

int ExportChoiceForm::tickedCount() const
{
    int n = 0;
    for (const QCheckBox *c : checks_)
        n += c->isChecked() ? 1 : 0;
    return n;
}

void ExportChoiceForm::SelectAllButton_Click()
{
    guarded(formName_, "SelectAllButton_Click", [&] {
        for (QCheckBox *c : checks_)
            c->setChecked(true);
    });
}

void ExportChoiceForm::UnselectAllButton_Click()
{
    guarded(formName_, "UnselectAllButton_Click", [&] {
        for (QCheckBox *c : checks_)
            c->setChecked(false);
    });
}

int ExportChoiceForm::chooseColumns(QDialog *window)
{
    const std::unique_ptr<QDialog> owned(window);
    if (!window)
        return 0;
    const bool ok = showModal(window) == QDialog::Accepted;
    const auto *form = qobject_cast<ExportChoiceForm *>(window);
    return ok && form ? form->tickedCount() : 0;
}

void ExportChoiceForm::OKButton_Click()
{
    guarded(formName_, "OKButton_Click", [&] {
        QList<QPair<QString, int>> choice;
        for (int i = 0; i < boxes_.size(); ++i)
            choice.append({QString::fromUtf8(boxes_[i].field), checks_[i]->isChecked() ? 1 : 0});
        CsvExport::saveChoice(table_, choice);
        accept();
    });
}

void ExportChoiceForm::ExitButton_Click()
{
    guarded(formName_, "ExitButton_Click", [&] { reject(); });
}

} // namespace wvs
