#pragma once
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

struct JobType {
    QString code;
    QString description;
    QString accountsRef;
};

// The job types and the rules that keep customer jobs pointing at them.
namespace JobTypeRecords {

// Every job type, in the order the database returns them.
QList<JobType> all();
std::optional<JobType> find(const QString &code);

// Why a job type may not be deleted (it still has undone scheduled jobs due
// today or later, or customer jobs), or empty when it may go. The messages
// name the job type by its description.
QString deleteRefusal(const QString &code, const QString &description, const QDate &today);
// Deletes the job type unless, checked again in the same transaction, it may
// no longer go (another workstation may have given it a job since the user
// was asked, or deleted it or changed its code); then nothing is deleted and
// the refusal is returned.
QString remove(const QString &code, const QString &description, const QDate &today);

// The result of the dialog's save.
struct SaveOutcome {
    enum Status {
        Saved,    // written
        Refused,  // a check failed: message and focus say which
        Declined, // the user answered No to the accounts-reference question
    };
    Status status = Refused;
    QString message;
    QString focus;          // objectName of the box that takes the focus; empty for none
    bool clearCode = false; // the code box is emptied (duplicate code)
};

// Saves the dialog's entries: mode "Add" adds a job type; "Modify" changes
// the row of oldCode, carrying a changed code into every customer job in the
// same transaction. A code that belongs to another job type is refused in
// both modes, and so is a Modify of a job type deleted, or given another code,
// at another workstation. ask puts a Yes/No question to the user. Given the job type as
// the dialog first showed it, a Modify writes only the fields the user changed.
SaveOutcome save(const QString &mode, const QString &oldCode, const JobType &entry,
                 const std::function<bool(const QString &)> &ask, const JobType *shown = nullptr);

QString duplicateCodeMessage(const QString &code);

} // namespace JobTypeRecords
} // namespace wvs
