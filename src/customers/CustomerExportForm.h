#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the customer export, opened by the customer list, which
// writes the file with the columns ticked here.
class CustomerExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit CustomerExportForm(QWidget *parent = nullptr);
};

} // namespace wvs
