#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the customer-job export. Opened by the customer-job
// list (its parent) with the list's FieldCount at 0; after OK with columns
// ticked it asks for the file and writes the jobs the list shows, in its order.
class CustomerJobExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit CustomerJobExportForm(QWidget *parent = nullptr);

protected:
    void setFieldCount(int count) override;
    void exportChosen() override;
};

} // namespace wvs
