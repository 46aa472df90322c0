#pragma once
#include "customers/ExportChoiceForm.h"

namespace wvs {

// The column choice of the customer export. Opened by the customer list
// (its parent) with the list's FieldCount at 0; after OK with columns ticked
// it asks for the file and writes the customers the list shows, in its order.
class CustomerExportForm : public ExportChoiceForm {
    Q_OBJECT
public:
    explicit CustomerExportForm(QWidget *parent = nullptr);

protected:
    void setFieldCount(int count) override;
    void exportChosen() override;
};

} // namespace wvs
