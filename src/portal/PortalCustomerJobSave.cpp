#include "portal/PortalCustomerJobSave.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "common/NamedRows.h"
#include "core/Session.h"
#include "customers/CustomerValidation.h"
#include "data/AppDatabase.h"
#include "data/PreferenceChoices.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/WvsError.h"
#include "portal/PortalRequestRecords.h"

namespace wvs {

namespace {

PortalJobSaveOutcome refuse(PortalJobSaveOutcome out, const QString &message, const char *focus = "")
{
    out.saved = false;
    out.message = message;
    out.focus = QString::fromUtf8(focus);
    return out;
}

PortalJobSaveOutcome refuse(PortalJobSaveOutcome out, const char *message, const char *focus = "")
{
    return refuse(std::move(out), QString::fromUtf8(message), focus);
}

// A question answered No: no message, the focus goes to the field.
PortalJobSaveOutcome declined(const char *focus)
{
    PortalJobSaveOutcome out;
    out.focus = QString::fromUtf8(focus);
    return out;
}

PortalJobSaveOutcome passed()
{
    PortalJobSaveOutcome out;
    out.saved = true;
    return out;
}

// The service address is needed whether the customer is new or found.
std::optional<PortalJobSaveOutcome> addressRefusal(const ServiceAddress &a)
{
    if (a.sAddress1.isEmpty())
        return refuse({}, "Please enter a Service Address", "SAddress1Text");
    if (a.sSuburb.isEmpty())
        return refuse({}, "Please enter a Suburb for the Service Address", "SSuburbText");
    return std::nullopt;
}

} // namespace

std::optional<qint64> PortalCustomerJobSave::findCustomer(const CustomerRecord &c)
{
    const QVariant n = scalarSql(QStringLiteral("SELECT CustomerNumber FROM Customers WHERE Forename = ? AND "
                                                "Surname = ? AND CAddress1 = ? AND CSuburb = ? ORDER BY CustomerNumber"),
                                 {c.forename, c.surname, c.cAddress1, c.cSuburb});
    if (!n.isValid())
        return std::nullopt;
    return n.toLongLong();
}

PortalJobSaveOutcome PortalCustomerJobSave::ValidateCustomer(const PortalJobEntry &e, const Ask &ask)
{
    const CustomerRecord &c = e.customer;
    if (c.forename.isEmpty())
        return refuse({}, "Please enter the Customer's First Name", "FirstNameText");
    if (c.surname.isEmpty())
        return refuse({}, "Please enter the Customer's Last Name", "LastNameText");
    if (c.phone1.isEmpty() && c.phone2.isEmpty() && c.phone3.isEmpty())
        return refuse({}, "Please enter at least 1 phone number", "Phone1Text");
    const QString phones[] = {c.phone1, c.phone2, c.phone3};
    for (int n = 1; n <= 3; ++n) {
        if (c.preferredPhone == n && phones[n - 1].isEmpty())
            return refuse({},
                          QStringLiteral("You have indicated Phone %1 as the preferred contact but have not entered "
                                         "a phone number")
                              .arg(n),
                          n == 1 ? "Phone1Text" : n == 2 ? "Phone2Text" : "Phone3Text");
    }
    if (!c.companyName.isEmpty() && c.contactName.isEmpty()
        && !ask(QStringLiteral("No Contact Name has been entered for the Company. Is this correct?")))
        return declined("ContactText");
    if (accountsPackageInUse()) {
        if (c.accountsRef.isEmpty()) {
            if (!ask(QStringLiteral("No Accounts Reference has been entered. This will prevent any of this Customer's "
                                    "data being shared with your chosen accounts package. Is this correct?")))
                return declined("AccountsRefText");
        } else if (CustomerValidation::accountsRefClashes(CustomerMode::Add, 0, c.accountsRef) > 0) {
            return refuse({},
                          QStringLiteral("Accounts Reference ") + c.accountsRef +
                              QStringLiteral(" has been already assigned to another Customer"),
                          "AccountsRefText");
        }
    }
    if (c.cAddress1.isEmpty())
        return refuse({}, "Please enter the 1st line of the Customer's correspondence address", "CAddress1Text");
    if (c.cSuburb.isEmpty())
        return refuse({}, "Please enter the Customer's correspondence suburb", "CSuburbText");
    if (c.cPostCode.isEmpty()
        && !ask(QStringLiteral("No Zip/Post Code has been entered for the correspondence address. Is this correct?")))
        return declined("CPostCodeText");
    if (auto refusal = addressRefusal(e.address))
        return *refusal;
    return passed();
}

PortalJobSaveOutcome PortalCustomerJobSave::checkJob(const PortalJobEntry &entry, const Ask &ask)
{
    const CustomerJobEntry &e = entry.job;
    PortalJobSaveOutcome out;
    // The job's own checks, as the customer-job save makes them, but a request
    // without an end option is told so only once its cost and choices pass.
    CustomerJobSaveOutcome job;
    const bool refused = CustomerJobSave::jobRefused(e, job, CustomerJobSave::EndOptionCheck::AfterChoices);
    out.costText = job.costText;
    // The chosen kind is checked even for a one-off job, whose code it still gives.
    if (refused
        || ((CustomerJobSave::isRecurring(e) || e.frequency.option != FrequencyOption::None)
            && CustomerJobSave::frequencyRefused(e.frequency, ask, job))) {
        out.message = job.message;
        out.focus = job.focus;
        return out;
    }
    if (entry.customer.commentOnSchedule && entry.customer.customerComment.isEmpty())
        return refuse(out, "There is no Customer Comment to include on the Schedule");
    if (e.commentOnSchedule && e.comment.isEmpty())
        return refuse(out, "There is no Job Comment to include on the Schedule");
    out.saved = true;
    return out;
}

bool PortalCustomerJobSave::duplicateExists(qint64 customerNumber, const QString &jobTypeCode, const QString &saddress1,
                                            const QDate &start)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM CustomerJobs j WHERE j.CustomerNumber = ? AND "
                                    "j.JobTypeCode = ? AND j.StartDate = ? AND EXISTS (SELECT 1 FROM "
                                    "CustomerServiceAddresses a WHERE a.CustomerNumber = j.CustomerNumber AND "
                                    "a.SAddress1 = ?)"),
                     {customerNumber, jobTypeCode, Formats::toStoredDate(start), saddress1})
               .toInt() > 0;
}

PortalJobSaveOutcome PortalCustomerJobSave::save(const PortalJobEntry &e, const Ask &ask)
{
    const CustomerRecord &c = e.customer;
    // Whether the customer was on file decides which checks run; the save
    // holds to it.
    const bool customerOnFile = findCustomer(c).has_value();
    if (!customerOnFile) {
        // A check that fails for any reason stops the save; a fault is
        // reported, never taken for a pass.
        PortalJobSaveOutcome checked;
        const bool ran = guarded("PortalCustomerJobAddForm", "ValidateCustomer", [&] { checked = ValidateCustomer(e, ask); });
        if (!ran || !checked.saved)
            return ran ? checked : PortalJobSaveOutcome{};
    } else if (auto refusal = addressRefusal(e.address)) {
        return *refusal;
    }

    PortalJobSaveOutcome out = checkJob(e, ask);
    if (!out.saved)
        return out;
    out.saved = false;

    const QDate start = Formats::fromDisplayDate(e.job.startDateText);
    const QString jobTypeCode = *e.job.jobTypeCode;
    QString endDate = QStringLiteral("");
    int occurrences = 0;
    if (e.job.end == JobEnd::OnDate)
        endDate = Formats::toStoredDate(Formats::fromDisplayDate(e.job.endDateText));
    else if (e.job.end == JobEnd::After)
        occurrences = e.job.occurrencesText.trimmed().toInt();
    out.frequency = CustomerJobSave::frequencyCode(e.job);
    const Money cost = *Money::parse(e.job.costText);

    Transaction t;
    // The request must still be there: another workstation may have saved or
    // deleted it meanwhile, and a second save would add the job twice.
    const QVariant entered =
        scalarSql(QStringLiteral("SELECT DateEntered FROM PortalCustomerJobs WHERE UniqueId = ?"), {e.uniqueId});
    if (!entered.isValid())
        throw WvsError(ErrorNumber::Recoverable, QStringLiteral("The Customer Job request no longer exists - it may "
                                                                "have been saved or deleted by another user"));
    // The job type and the associate the dialog listed may have been deleted,
    // or their keys changed, at another workstation since it opened.
    NamedRows().jobType(jobTypeCode).associate(*e.job.associateID).confirm();

    if (const auto existing = findCustomer(c)) {
        // Looked for inside the transaction, so another workstation cannot
        // add the same job between the look and the save.
        if (duplicateExists(*existing, jobTypeCode, e.address.sAddress1, start))
            return refuse(out, "This Customer Job already exists!");
        out.customerNumber = *existing;
    } else {
        // The customer matched when Save was pressed has been deleted, or
        // changed so that it no longer matches, at another workstation: adding
        // it from the boxes would skip the checks of a new customer. Nothing
        // is written; the next Save checks the customer as a new one.
        if (customerOnFile)
            NamedRows::gone(NamedRows::Kind::Customer);
        // Another workstation may have given the reference to a customer since
        // the checks: looked for again where no other save can add one.
        if (accountsPackageInUse() && !c.accountsRef.isEmpty()
            && CustomerValidation::accountsRefClashes(CustomerMode::Add, 0, c.accountsRef) > 0)
            return refuse(out,
                          QStringLiteral("Accounts Reference ") + c.accountsRef +
                              QStringLiteral(" has been already assigned to another Customer"),
                          "AccountsRefText");
        QDate day = PortalRequestRecords::readDate(entered.toString());
        if (!day.isValid())
            day = QDate::currentDate();
        writeSql(QStringLiteral("INSERT INTO Customers (DateEntered, Title, Forename, Surname, CompanyName, Phone1, "
                                "Phone2, Phone3, PreferredPhone, Email1, Email2, CustomerStatus, ContactName, "
                                "AccountsRef, CAddress1, CAddress2, CAddress3, CSuburb, CCity, CPostCode, "
                                "CustomerComment, CommentOnSchedule) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                "?, ?, ?, ?, ?, ?, ?, ?)"),
                 {Formats::toStoredDate(day), c.title, c.forename, c.surname, c.companyName, c.phone1, c.phone2,
                  c.phone3, c.preferredPhone >= 1 && c.preferredPhone <= 3 ? c.preferredPhone : 1, c.email1, c.email2,
                  CustomerStatus::Active, c.contactName, c.accountsRef, c.cAddress1, c.cAddress2, c.cAddress3,
                  c.cSuburb, c.cCity, c.cPostCode, c.customerComment, c.commentOnSchedule ? 1 : 0});
        out.customerNumber = lastInsertId();
        out.customerAdded = true;
    }

    const ServiceAddress &a = e.address;
    const QVariant address = scalarSql(QStringLiteral("SELECT SAddressSeqNo FROM CustomerServiceAddresses WHERE "
                                                      "CustomerNumber = ? AND SAddress1 = ? AND SSuburb = ? "
                                                      "ORDER BY SAddressSeqNo"),
                                       {out.customerNumber, a.sAddress1, a.sSuburb});
    if (address.isValid()) {
        out.sAddressSeqNo = address.toLongLong();
    } else {
        writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, SAddress3, "
                                "SSuburb, SCity, SPostCode) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 {out.customerNumber, a.sAddress1, a.sAddress2, a.sAddress3, a.sSuburb, a.sCity, a.sPostCode});
        out.sAddressSeqNo = lastInsertId();
        out.addressAdded = true;
    }

    writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, JobTypeCode, LastServiceDate, StartDate, "
                            "StartDay, EndDate, Occurrences, Frequency, Cost, CustomerJobComment, AsRequired, "
                            "CommentOnSchedule, Suspended, Prospective, AssociateID, SAddressSeqNo) "
                            "VALUES (?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?)"),
             {out.customerNumber, jobTypeCode, Formats::toStoredDate(start), Formats::weekdayName(start), endDate,
              occurrences, out.frequency, cost.toVariant(), e.job.comment, e.job.asRequired ? 1 : 0,
              e.job.commentOnSchedule ? 1 : 0, e.job.prospective ? 1 : 0, *e.job.associateID, out.sAddressSeqNo});
    out.jobSeqNo = lastInsertId();
    PortalRequestRecords::remove(e.uniqueId);
    t.commit();
    out.saved = true;
    return out;
}

} // namespace wvs
