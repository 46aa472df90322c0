#include "customers/CustomerListStyle.h"
#include "customers/CustomerListQuery.h"
#include "customers/CustomerRecord.h"
#include "platform/FlexGrid.h"

namespace wvs {

CustomerListStyle::RowStyle CustomerListStyle::rowStyle(int row, const QString &statusText)
{
    RowStyle s;
    s.back = row % 2 == 1 ? QColor(255, 255, 255) : QColor(224, 224, 224);
    bool ok = false;
    const int status = statusText.trimmed().toInt(&ok);
    if (ok && status == CustomerStatus::Prospective) {
        s.fore = prospectiveColor();
        s.bold = true;
    } else if (ok && status == CustomerStatus::Inactive) {
        s.fore = inactiveColor();
        s.bold = true;
    } else {
        s.fore = QColor(0, 0, 0);
    }
    return s;
}

void CustomerListStyle::apply(FlexGrid &grid)
{
    const int rows = grid.rows();
    if (!coloured(rows))
        return;
    for (int r = 1; r < rows; ++r) {
        const RowStyle s = rowStyle(r, grid.textMatrix(r, CustomerListQuery::ColStatus));
        grid.setRowBackColor(r, s.back);
        grid.setRowForeColor(r, s.fore);
        grid.setRowBold(r, s.bold);
    }
}

} // namespace wvs
