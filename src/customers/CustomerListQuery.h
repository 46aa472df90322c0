#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

namespace wvs {

// The filters of the customer list. Texts are matched anywhere in their field
// and literally: "%", "_", "*", "?" and quotes are just characters.
struct CustomerFilter {
    QString company;
    QString surname;
    QString suburb;  // the chosen suburb item; empty for none
    QString status;  // "Active", "Prospective", "Inactive"; any other text filters nothing
};

// Reads the customers a filter selects, as rows of the customer grid:
// column 0 empty, 1 surname, 2 forename, 3 company, 4 the three address lines
// joined by blanks, 5 suburb, 6 the preferred phone, 7 empty, 8 the customer
// number, 9 the status code.
class CustomerListQuery {
public:
    enum Column {
        ColSurname = 1,
        ColForename = 2,
        ColCompany = 3,
        ColAddress = 4,
        ColSuburb = 5,
        ColPhone = 6,
        ColKey = 8,
        ColStatus = 9,
        ColumnCount = 10
    };

    static QVector<QStringList> rows(const CustomerFilter &filter);
    // Every correspondence suburb on file, for the suburb filter.
    static QStringList suburbs();
    // The status code a status text selects; 0 for none.
    static int statusCode(const QString &statusText);
};

} // namespace wvs
