#include "AdminWindowTest.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"
#include "support/Pointer.h"

#include <QSet>

using namespace wvs;
using Field = CompanyRecord::Field;

namespace {

CompanyDetails fullCompany()
{
    return {.id = "SPARK1", .name = "Sparkle Cleaning & Co", .regNo = "REG 1", .gstNo = "12-345-678",
            .pAddress1 = "1 Main Road", .pPostCode = "1010", .pTelephone = "09 555 1234"};
}

class Company : public wvs::test::AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        // A stand-in portal window, driven through modal_ by its name.
        FormRegistry::add("PortalForm", [](QWidget *parent) -> QDialog * {
            auto *d = new QDialog(parent);
            d->setObjectName("PortalForm");
            return d;
        });
        CompanyRecord::idChecker() = [this](const QString &id) { return checked_ << id, reply_; };
    }
    void TearDown() override
    {
        CompanyRecord::idChecker() = nullptr;
        AdminWindowTest::TearDown();
    }
    // Checks the details, answering the first `yes` questions Yes and the next No.
    CompanyRecord::Check check(const CompanyDetails &d, bool portal = false, int yes = 99)
    {
        asked_.clear();
        return CompanyRecord::check(d, portal, [&](const QString &q) { return asked_ << q, asked_.size() <= yes; });
    }

    QStringList checked_, asked_;
    QString reply_ = "OK";
};

TEST_F(Company, IdChecksWithAndWithoutThePortalAndThePortalModeOfAChangedId)
{
    const QString plainOnly = "Entry can only be combinations of alphabetic,numeric and underscore (_) characters";
    const QString uncarried = "The ID cannot contain \"Ō\" - the internet portal cannot carry that character";
    // message empty: the ID passes
    const struct { bool portal; const char *id; QString message; } cases[] = {
        {true, "", "The ID is required to be able to access the internet portal"},
        {true, "ABC", "The ID must be at least 4 characters"}, {true, "AB CD", "The ID cannot contain spaces"},
        {true, "AB-CD", plainOnly}, {true, "AB=CD", "Equal sign (=) and Quote sign (\") are invalid characters"},
        // Without the portal it may be empty or short, but must still be plain.
        {false, "", ""}, {false, "AB", ""}, {false, "AB CD", "Spaces not allowed in this field"}, {false, "AB,CD", plainOnly},
        // The portal's code page carries "é" but no "Ō", with the portal or before it is switched on.
        {true, "Xé12", ""}, {true, "XŌ12", uncarried}, {false, "XŌ12", uncarried},
        {true, "X😀12", "The ID cannot contain \"😀\" - the internet portal cannot carry that character"},
        // Four characters are enough for the portal.
        {true, "ABCD", ""}, {true, "AB_9", ""},
        {false, "AB=CD", "Equal sign (=) and Quote sign (\") are invalid characters"},
        {false, "AB\"CD", "Equal sign (=) and Quote sign (\") are invalid characters"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.id) + (c.portal ? " with the portal" : ""));
        CompanyDetails d = fullCompany();
        d.id = c.id;
        if (!c.message.isEmpty())
            d.name.clear(); // the ID comes first
        const auto r = check(d, c.portal);
        EXPECT_EQ(r.field, c.message.isEmpty() ? Field::None : Field::ID);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(asked_.isEmpty());
    }
    // Every punctuation character the entry check names is refused in the ID, with the portal or without.
    for (const QChar c : QString("[]`!£$%^&*()+}{~@:?><|¬#';/.,\\-")) {
        for (const bool portal : {true, false}) {
            SCOPED_TRACE(QString("AB%1CD").arg(c).toStdString() + (portal ? " with the portal" : ""));
            CompanyDetails d = fullCompany();
            d.id = QString("AB%1CD").arg(c);
            const auto r = check(d, portal);
            EXPECT_EQ(r.field, Field::ID);
            EXPECT_EQ(r.message, plainOnly);
        }
    }

    // The portal is told of a changed ID: a change of case is one; an ID saved empty is carried as empty.
    const CompanyDetails d = fullCompany();
    EXPECT_EQ(CompanyRecord::portalMode("spark1", d.name, d), "CompanyID~spark1~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode(QString(), d.name, d), "CompanyID~~SPARK1~Sparkle Cleaning & Co");
    // The ID or the name changed alone, both, neither: a changed ID carries the new name in one step.
    EXPECT_EQ(CompanyRecord::portalMode("SPARK0", d.name, d), "CompanyID~SPARK0~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode("SPARK1", "Sparkle", d), "CompanyName~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode("SPARK0", "Sparkle", d), "CompanyID~SPARK0~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode("SPARK1", d.name, d), "");
}

// Each control character and separator: pasted into the ID box by the keys
// it goes in as into any one-line box, and the ID is checked as it then
// stands; an ID that holds one as it stands (set by no box) is refused as
// the portal cannot carry it, with the portal or before it is switched on.
TEST_F(Company, AnIdTakesNoControlCharacter)
{
    auto w = shown<CompanyForm>();
    auto *box = child<QLineEdit>(w.get(), "IDText");
    for (const test::ControlRow &row : test::controlRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(test::pastedByKeys(box, test::withControl(row)), row.oneLine);
        CompanyDetails d = fullCompany();
        d.id = box->text();
        EXPECT_EQ(check(d, true).message, row.oneLine == "AB CD" ? "The ID cannot contain spaces" : "");
        d.id = test::withControl(row);
        for (const bool portal : {true, false}) {
            const auto r = check(d, portal);
            EXPECT_EQ(r.field, Field::ID);
            EXPECT_EQ(r.message, "The ID cannot contain \"" + row.character.left(1) +
                                     "\" - the internet portal cannot carry that character");
        }
    }
}

TEST_F(Company, NameAndQuestionsInOrder)
{
    EXPECT_EQ(check({.id = "SPARK1"}).message, "Please enter the Name");
    // Every question answered No stops at its own box.
    CompanyDetails d = fullCompany();
    d.regNo = d.gstNo = d.pPostCode = d.pTelephone = "";
    const QStringList questions{"No Registered Number has been entered. Is this correct?",
                                "No GST Number has been entered. Is this correct?",
                                "No Primary Post Code has been entered. Is this correct?",
                                "No Primary Telephone number has been entered. Is this correct?"};
    const Field fields[] = {Field::RegNo, Field::GSTNo, Field::PPostCode, Field::PTelephone, Field::None};
    for (int yes = 0; yes <= 4; ++yes) {
        const auto r = check(d, false, yes);
        EXPECT_EQ(r.field, fields[yes]);
        EXPECT_TRUE(r.message.isEmpty());
        EXPECT_EQ(asked_, questions.mid(0, yes + 1));
    }
    // The name may hold blanks and punctuation, but no "=" or double quote.
    const struct { const char *name; Field field; } names[] = {
        {"A=B Cleaning", Field::Name}, {"The \"Best\" Cleaners", Field::Name},
        {"O'Brien & Sons (NZ) Ltd. #1 - [Mt Eden], {~@:?<>|¬£$%^*+`!/;}", Field::None},
    };
    // Alone, and with no registered number as well: a refused name speaks before that question.
    for (const bool noRegNo : {false, true})
        for (const auto &n : names) {
            CompanyDetails named = fullCompany();
            named.name = n.name;
            if (noRegNo)
                named.regNo.clear();
            const auto r = check(named);
            EXPECT_EQ(r.field, n.field) << n.name;
            EXPECT_EQ(asked_.size(), noRegNo && n.field != Field::Name ? 1 : 0) << n.name;
            EXPECT_EQ(r.message, n.field == Field::Name ? "Equal sign (=) and Quote sign (\") are invalid characters" : "");
        }

    // The primary address is required between the GST and post code questions.
    d.pAddress1.clear();
    const auto r = check(d);
    EXPECT_EQ(r.field, Field::PAddress1);
    EXPECT_EQ(r.message, "Please enter the Primary Address");
    EXPECT_EQ(asked_, questions.mid(0, 2));
}

TEST_F(Company, PortalChangeOfIdMustReachThePortalBeforeTheRowIsSaved)
{
    setPortal(true);
    CompanyRecord::save(fullCompany());
    auto w = shown<CompanyForm>();
    click(w.get(), "HelpImage");
    EXPECT_EQ(msgs_->last(), "The ID can be left blank if the internet portal is not being used. \r\n"
                             "Otherwise, a minimum of 4 and a maximum of 10 alphanumeric characters (a - z  0 - 9) "
                             "with no spaces is required.\r\nThe ID is not case sensitive.");
    // An ID the portal cannot carry is refused before the portal is asked anything.
    type(w.get(), "IDText", "SPARKŌ");
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "The ID cannot contain \"Ō\" - the internet portal cannot carry that character");
    EXPECT_TRUE(checked_.isEmpty());
    EXPECT_TRUE(modal_->opened().isEmpty());
    EXPECT_EQ(CompanyRecord::load()->id, "SPARK1");
    type(w.get(), "IDText", "SPARK2");
    type(w.get(), "NameText", "Sparkle Ltd");
    reply_.clear(); // the portal gave no answer
    click(w.get(), "OKButton");
    EXPECT_EQ(checked_, QStringList{"SPARK2"});
    EXPECT_EQ(msgs_->last(), "Unable to verify that Company ID already exists. Please try again");
    reply_ = "OK";
    msgs_->clear();
    session().portalUpdateSucceeded = true; // left over from an earlier run
    click(w.get(), "OKButton");
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened()[0].tag, "CompanyID~SPARK1~SPARK2~Sparkle Ltd");
    EXPECT_EQ(msgs_->texts(), (QStringList{"The internet portal will now be updated - this may take a few moments",
                                           "The internet portal was not updated - nothing has been saved"}));
    EXPECT_EQ(CompanyRecord::load()->id, "SPARK1");
    EXPECT_TRUE(w->isVisible());

    modal_->on("PortalForm", [](QDialog *) { session().portalUpdateSucceeded = true; });
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Company details saved");
    EXPECT_EQ(CompanyRecord::load()->id, "SPARK2");
}

TEST_F(Company, ASaveKeepsWhatAnotherWorkstationSavedMeanwhile)
{
    CompanyRecord::save(fullCompany());
    QSqlDatabase other = secondConnection();
    auto w = shown<CompanyForm>();
    writeSql("UPDATE Company SET PFax = '555 9999', SEmail = 'office@example.com'", {}, other);
    type(w.get(), "PTelephoneText", "555 4321");
    click(w.get(), "OKButton");
    auto d = CompanyRecord::load();
    EXPECT_EQ(QStringList({d->pTelephone, d->pFax, d->sEmail, d->name}),
              QStringList({"555 4321", "555 9999", "office@example.com", fullCompany().name}));

    // Both windows opened on no company; the other workstation saved first.
    writeSql("DELETE FROM Company");
    w = shown<CompanyForm>();
    EXPECT_TRUE(w->NewCompany);
    writeSql("INSERT INTO Company (RowId, ID, CompanyName, SFax) VALUES (1, 'THEIRS', 'Theirs', '777')", {},
             other);
    for (const auto &[box, value] : {std::pair{"NameText", "Sparkle"}, {"RegNoText", "R1"}, {"GSTNoText", "G1"},
                                     {"PAddress1Text", "1 Main Road"}, {"PPostCodeText", "1010"}, {"PTelephoneText", "555 1234"}})
        type(w.get(), box, value);
    click(w.get(), "OKButton");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Company").toInt(), 1);
    d = CompanyRecord::load();
    EXPECT_EQ(QStringList({d->name, d->id, d->sFax}), QStringList({"Sparkle", "THEIRS", "777"}));
    // Without the portal no ID is checked with it.
    EXPECT_TRUE(checked_.isEmpty());
    EXPECT_TRUE(modal_->opened().isEmpty());
}

// Every box is saved to its own column: typed into the window of a new
// company (the portal asked whether the ID is free), then every box typed
// over in the window of the stored company (the portal told of the change).
TEST_F(Company, EveryBoxIsSavedToItsOwnColumnWhenAddedAndWhenChanged)
{
    const struct { const char *box, *added, *changed, *column; } boxes[] = {
        {"IDText", "ADD1", "CHG2", "ID"},
        {"NameText", "Added Name", "Changed Name", "CompanyName"},
        {"RegNoText", "REG A", "REG C", "RegisteredNo"},
        {"GSTNoText", "GST A", "GST C", "GSTNo"},
        {"PAddress1Text", "1 First St", "11 First St", "PAddress1"},
        {"PAddress2Text", "2 Second St", "12 Second St", "PAddress2"},
        {"PAddress3Text", "3 Third St", "13 Third St", "PAddress3"},
        {"PAddress4Text", "4 Fourth St", "14 Fourth St", "PAddress4"},
        {"PPostCodeText", "1001", "2001", "PPostCode"},
        {"PTelephoneText", "09 111 1001", "09 111 2001", "PTelephone"},
        {"PFaxText", "09 222 1001", "09 222 2001", "PFax"},
        {"PEmailText", "street@a.example", "street@c.example", "PEmail"},
        {"SAddress1Text", "PO Box 1", "PO Box 11", "SAddress1"},
        {"SAddress2Text", "PO Box 2", "PO Box 12", "SAddress2"},
        {"SAddress3Text", "PO Box 3", "PO Box 13", "SAddress3"},
        {"SAddress4Text", "PO Box 4", "PO Box 14", "SAddress4"},
        {"SPostCodeText", "1002", "2002", "SPostCode"},
        {"STelephoneText", "09 333 1002", "09 333 2002", "STelephone"},
        {"SFaxText", "09 444 1002", "09 444 2002", "SFax"},
        {"SEmailText", "postal@a.example", "postal@c.example", "SEmail"},
    };
    QSet<QString> values;
    for (const auto &b : boxes)
        values << b.added << b.changed;
    ASSERT_EQ(values.size(), 2 * int(std::size(boxes))); // a box saved to another's column shows

    writeSql("DELETE FROM Company"); // no details yet: the first save adds the row
    setPortal(true);
    modal_->on("PortalForm", [](QDialog *) { session().portalUpdateSucceeded = true; });
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "added" : "changed");
        auto w = shown<CompanyForm>();
        for (const auto &b : boxes)
            retypeBox(w.get(), b.box, adding ? b.added : b.changed);
        msgs_->clear();
        test::pressButton(w.get(), "OKButton");
        QStringList said{"Company details saved"};
        if (!adding)
            said.prepend("The internet portal will now be updated - this may take a few moments");
        EXPECT_EQ(msgs_->texts(), said);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(rowsOf("SELECT COUNT(*) FROM Company"), "1");
        for (const auto &b : boxes)
            EXPECT_EQ(storedIn("Company", b.column), QString(adding ? b.added : b.changed)) << b.box;
    }
    EXPECT_EQ(checked_, QStringList({"ADD1", "CHG2"}));
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened()[0].tag, "CompanyID~ADD1~CHG2~Changed Name");
}

} // namespace
