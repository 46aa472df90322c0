#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the schedule export. OK stores the ticks; the
// schedule window that opened it then asks for the file and writes it.
class ScheduleExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit ScheduleExportForm(QWidget *parent = nullptr);

    static constexpr const char *ChoiceTable = "ScheduleExportFields";
};

} // namespace wvs
