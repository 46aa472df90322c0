#pragma once
#include <QColor>
#include <QString>

namespace wvs {

class FlexGrid;

// Colours of the customer list: white and light grey bands, prospective
// customers green and bold, inactive ones red and bold. Large lists are left
// plain so they fill quickly.
class CustomerListStyle {
public:
    // Grids of this many rows or more (heading row included) are not coloured.
    static constexpr int kColourLimit = 5000;

    struct RowStyle {
        QColor back;
        QColor fore;
        bool bold = false;
    };

    static bool coloured(int gridRows) { return gridRows < kColourLimit; }
    static RowStyle rowStyle(int row, const QString &statusText);
    static QColor prospectiveColor() { return QColor(0, 192, 0); }
    static QColor inactiveColor() { return QColor(255, 0, 0); }

    // Colours every cell of every data row when the grid is small enough.
    static void apply(FlexGrid &grid);
};

} // namespace wvs
