#pragma once
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

// The business's own details: the single Company row.
struct CompanyDetails {
    QString id;
    QString name;
    QString regNo;
    QString gstNo;
    QString pAddress1, pAddress2, pAddress3, pAddress4;
    QString pPostCode;
    QString pTelephone;
    QString pFax;
    QString pEmail;
    QString sAddress1, sAddress2, sAddress3, sAddress4;
    QString sPostCode;
    QString sTelephone;
    QString sFax;
    QString sEmail;
};

class CompanyRecord {
public:
    // The longest company name the Name box, and the first start's business
    // name, take.
    static constexpr int kNameLength = 30;

    static std::optional<CompanyDetails> load();
    // Why the portal cannot be reached from the lists that send it data: no
    // company details yet, or no company ID; empty when it can.
    static QString portalAccessRefusal();
    // Saves the one row in one transaction. Given the details as the window
    // first showed them (all empty when there was no row), only the fields
    // the user changed are written, so another workstation's change to the
    // others is kept; without them every field is written. A row that is not
    // there is added; one another workstation added meanwhile is updated.
    static void save(const CompanyDetails &d, const CompanyDetails *shown = nullptr);
    using Ask = std::function<bool(const QString &)>;

    // The box a failed check sends the user back to, and what the window shows.
    enum class Field { None, ID, Name, RegNo, GSTNo, PAddress1, PPostCode, PTelephone };
    struct Check {
        Field field = Field::None;
        QString message;  // empty after a No to a question
        bool ok() const { return field == Field::None; }
    };
    // The checks and questions of the company window's save, in order; the
    // first failure ends them (a No from ask to a question fails too). The ID
    // is required and at least 4 characters only with the portal, but it is
    // always a plain identifier, so switching the portal on later never sends
    // an invalid one.
    static Check check(const CompanyDetails &d, bool portalInUse, const Ask &ask);

    // Why an ID the portal knows the company or the installation by is
    // refused, empty when it is not: the portal's files and pages carry text
    // in their code page, where a character it lacks would arrive as "?" and
    // one of its five undefined bytes as a replacement character. A control
    // character, a line break or a tab, which no box lets in (the rule of
    // TypingLimit), is refused alike.
    // what names the ID in the message ("ID", "installation ID").
    static QString portalCharacterRefusal(const QString &what, const QString &id);

    // The portal's answer about an ID: empty when it is free ("OK"); otherwise
    // the message for an empty answer or a taken ID.
    static QString idReplyRefusal(const QString &reply, const QString &id);

    // The mode of the portal step that must succeed before an existing
    // company's row is saved: "CompanyID~old~new~name" after a change of ID,
    // "CompanyName~id~name" after a change of name alone, empty for none.
    static QString portalMode(const QString &originalId, const QString &originalName, const CompanyDetails &d);

    // The company-ID check page: given an ID, returns the portal's whole reply
    // ("OK" when free, empty when no answer came). The portal's own module
    // installs it; while none is installed no answer comes.
    static std::function<QString(const QString &id)> &idChecker();
    static QString checkId(const QString &id);

    // The text the help picture beside the ID shows.
    static QString helpText();
};

} // namespace wvs
