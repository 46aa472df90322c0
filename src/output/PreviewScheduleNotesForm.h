#pragma once
#include "output/PreviewForm.h"

namespace wvs {

// The schedule notes preview. Tag: the schedule number, "~", the first date and
// "~" the last date (dates as short date text, "dd/MM/yyyy").
class PreviewScheduleNotesForm : public PreviewForm {
    Q_OBJECT
public:
    explicit PreviewScheduleNotesForm(QWidget *parent = nullptr);

protected:
    std::unique_ptr<PagedPrintout> makePrintout(PageMedium::Kind medium) override;
    const char *windowName() const override { return "PreviewScheduleNotesForm"; }
};

} // namespace wvs
