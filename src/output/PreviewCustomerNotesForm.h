#pragma once
#include "output/PreviewForm.h"

namespace wvs {

// The customer notes preview. Tag: the customer number, "~", the first date and
// "~" the last date (dates as short date text, "dd/MM/yyyy").
class PreviewCustomerNotesForm : public PreviewForm {
    Q_OBJECT
public:
    explicit PreviewCustomerNotesForm(QWidget *parent = nullptr);

protected:
    std::unique_ptr<PagedPrintout> makePrintout(PageMedium::Kind medium) override;
    const char *windowName() const override { return "PreviewCustomerNotesForm"; }
};

} // namespace wvs
