#pragma once
#include "output/PreviewForm.h"

namespace wvs {

// The job schedule preview. Tag: the schedule number, "~" and the associate
// ID (nothing after "~" for every associate); the print options are the ones
// last confirmed. A portrait choice narrows the window and its canvas.
class PreviewScheduleForm : public PreviewForm {
    Q_OBJECT
public:
    explicit PreviewScheduleForm(QWidget *parent = nullptr);

protected:
    void firstActivate() override;
    std::unique_ptr<PagedPrintout> makePrintout(PageMedium::Kind medium) override;
    const char *windowName() const override { return "PreviewScheduleForm"; }
};

} // namespace wvs
