#pragma once
#include "platform/Form.h"

#include <QDate>
#include <QList>
#include <QPointer>
#include <QString>

class QCalendarWidget;

class QToolButton;

namespace wvs {

// The date pop-up. A window that lets the user choose a date shows it in a
// label; clicking the picture beside it calls CalendarForm::pick(this, key).
// The key (kept in session().calendarRequest while the pop-up is open) tells
// the pop-up which labels of the opener's window bound the choice and which
// receive the picked date as "dd Mmm yyyy". Escape closes it and writes
// nothing; a key it does not know opens a calendar without bounds and writes
// nothing.
class CalendarForm : public Form {
    Q_OBJECT
public:
    // What one request key means: the label of the other date of the pair,
    // whether that date is the latest (a from/start date) or the earliest
    // (a to/end date) that may be chosen, whether dates before today are
    // refused, and the labels written on a pick.
    struct Request {
        QString key;
        QString boundLabel;      // "" for none
        bool boundIsLatest;
        bool notBeforeToday;
        QString targetLabel;
        QString weekdayLabel;    // "" for none; gets "(Sunday)" and is shown
    };
    static const QList<Request> &requests();
    static const Request *request(const QString &key);   // nullptr for an unknown key

    // Reads the key from the session and sets up the calendar for it.
    explicit CalendarForm(QWidget *opener, QWidget *parent = nullptr);

    // Sets the key and shows the pop-up modally over the opener's window.
    static void pick(QWidget *opener, const QString &key);

    // The calendar picture beside a date label that opens the pop-up.
    static QToolButton *dateButton(QWidget *parent, const char *name, const QString &tip = QString());

    // Picks a day, as a click on it does.
    void pickDate(const QDate &date);

    QCalendarWidget *monthView() const { return monthView_; }

    // Whether a day is drawn as one that cannot be picked.
    bool showsUnavailable(const QDate &date) const;

private:
    void loadRequest();
    void markUnavailableDays(int year, int month);

    QPointer<QWidget> opener_;
    QCalendarWidget *monthView_;
    bool picked_ = false;
};

} // namespace wvs
