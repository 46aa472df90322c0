#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the customer-job export, opened by the customer-job
// list, which writes the file with the columns ticked here.
class CustomerJobExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit CustomerJobExportForm(QWidget *parent = nullptr);
};

} // namespace wvs
