#pragma once
#include "output/PagedPrintout.h"

#include <QDate>
#include <QDateTime>
#include <QVector>

namespace wvs {

// The notes printouts and their previews, newest note first, one block of
// lines per note: the notes on the scheduled jobs of one schedule, or one
// customer's notes, whose note date lies in a period (both ends included,
// whatever the time of day). A note's text that does not fit goes on at the
// top of the next page; its first line is not repeated.
class NotesPrintout : public PagedPrintout {
public:
    enum class Kind { Schedule, Customer };
    // number: the schedule or the customer. Laid out on paper unless a medium is given.
    NotesPrintout(Kind kind, qint64 number, QDate from, QDate to);
    NotesPrintout(Kind kind, qint64 number, QDate from, QDate to, PageMedium medium);

    bool load() override;
    QPageLayout::Orientation orientation() const override { return QPageLayout::Portrait; }
    QString sentMessage() const override;
    bool drawPage(PrintSurface &surface, int index) override;
    int pagesReached() const override { return int(starts_.size()); }

private:
    struct Note {
        QDateTime time;
        QString author;
        QStringList before;   // lines between the first line and the text
        QString text;
        QString after;        // the line after the text; empty for none
        bool hasAfter = false;
    };
    struct PageStart {
        int note = 0;
        int line = -1;   // >= 0: the note's text goes on from this line
    };
    void printHeader(PrintSurface &s) const;

    Kind kind_;
    qint64 number_;
    QDate from_, to_;
    QString forename_, surname_;
    PageFooter footer_;
    QVector<Note> notes_;
    QVector<PageStart> starts_;
};

// The notes printouts on the current printer.
void PrintScheduleNotes(qint64 scheduleNumber, const QDate &from, const QDate &to, QWidget *parent = nullptr);
void PrintCustomerNotes(qint64 customerNumber, const QDate &from, const QDate &to, QWidget *parent = nullptr);

// The notes windows' Print: the notes of a period on the printer chosen (its
// position among the installed printers), or with preview in their preview
// window; the default printer is current again afterwards either way.
void PrintOrPreviewNotes(NotesPrintout::Kind kind, qint64 number, const QDate &from, const QDate &to,
                         int printerIndex, bool preview, QWidget *opener = nullptr);

} // namespace wvs
