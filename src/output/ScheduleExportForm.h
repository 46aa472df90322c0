#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the schedule export. Opened by the schedule window
// (its parent) with the window's ExportFieldCount at 0; OK stores the ticks
// and hands back their number, after which the schedule window asks for the
// file.
class ScheduleExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit ScheduleExportForm(QWidget *parent = nullptr);

    static constexpr const char *ChoiceTable = "ScheduleExportFields";

protected:
    void setFieldCount(int count) override;
    void exportChosen() override {}
};

} // namespace wvs
