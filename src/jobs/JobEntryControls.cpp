#include "jobs/JobEntryControls.h"
#include "platform/Form.h"
#include "platform/TypingLimit.h"

#include <QRadioButton>

namespace wvs {

QLineEdit *parameterBox(QWidget *parent, const char *name)
{
    auto *t = named(new QLineEdit(parent), name);
    TypingLimit::apply(t, 3);
    t->setFixedWidth(44);
    return t;
}

JobEnd chosenEnd(const QRadioButton *noEnd, const QRadioButton *onDate, const QRadioButton *after)
{
    return noEnd->isChecked()    ? JobEnd::NoEnd
           : onDate->isChecked() ? JobEnd::OnDate
           : after->isChecked()  ? JobEnd::After
                                 : JobEnd::Unchosen;
}

} // namespace wvs
