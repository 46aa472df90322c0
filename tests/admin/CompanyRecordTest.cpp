#include "admin/CompanyRecord.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = CompanyRecord::Field;

namespace {

CompanyDetails fullCompany()
{
    return {.id = "SPARK1", .name = "Sparkle Cleaning & Co", .regNo = "REG 1", .gstNo = "12-345-678",
            .pAddress1 = "1 Main Road", .pPostCode = "1010", .pTelephone = "09 555 1234"};
}

// Answers every question Yes and notes it.
struct YesToAll {
    QStringList asked;
    CompanyRecord::Ask ask()
    {
        return [this](const QString &q) {
            asked << q;
            return true;
        };
    }
};

class CompanyRecordTest : public wvs::test::DbTest {};

TEST_F(CompanyRecordTest, IdChecksWithAndWithoutThePortal)
{
    struct Case {
        bool portal;
        const char *id;
        const char *message;  // empty: the ID passes
    };
    const Case cases[] = {
        {true, "", "The ID is required to be able to access the internet portal"},
        {true, "ABC", "The ID must be at least 4 characters"},
        {true, "AB CD", "The ID cannot contain spaces"},
        {true, "AB-CD", "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
        {true, "AB=CD", "Equal sign (=) and Quote sign (\") are invalid characters"},
        // Without the portal it may be empty or short, but must still be plain.
        {false, "", ""},
        {false, "AB", ""},
        {false, "AB CD", "Spaces not allowed in this field"},
        {false, "AB,CD", "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.id) + (c.portal ? " with the portal" : ""));
        CompanyDetails d = fullCompany();
        d.id = QString::fromUtf8(c.id);
        d.name.clear(); // the ID comes first
        if (!*c.message)
            d.name = "Sparkle";
        YesToAll yes;
        const auto r = CompanyRecord::check(d, c.portal, yes.ask());
        EXPECT_EQ(r.field, *c.message ? Field::ID : Field::None);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        EXPECT_TRUE(yes.asked.isEmpty());
    }
}

TEST_F(CompanyRecordTest, NameAndQuestionsInOrder)
{
    CompanyDetails d = fullCompany();
    d.name.clear();
    auto r = CompanyRecord::check(d, false, YesToAll().ask());
    EXPECT_EQ(r.field, Field::Name);
    EXPECT_EQ(r.message, "Please enter the Name");

    // Every question answered No stops at its own box.
    d = fullCompany();
    d.regNo.clear();
    d.gstNo.clear();
    d.pPostCode.clear();
    d.pTelephone.clear();
    const QStringList questions{"No Registered Number has been entered. Is this correct?",
                                "No GST Number has been entered. Is this correct?",
                                "No Primary Post Code has been entered. Is this correct?",
                                "No Primary Telephone number has been entered. Is this correct?"};
    const Field fields[] = {Field::RegNo, Field::GSTNo, Field::PPostCode, Field::PTelephone};
    for (int no = 0; no < 4; ++no) {
        QStringList asked;
        r = CompanyRecord::check(d, false, [&](const QString &q) {
            asked << q;
            return asked.size() <= no;
        });
        EXPECT_EQ(r.field, fields[no]);
        EXPECT_TRUE(r.message.isEmpty());
        EXPECT_EQ(asked, questions.mid(0, no + 1));
    }
    YesToAll yes;
    EXPECT_TRUE(CompanyRecord::check(d, false, yes.ask()).ok());
    EXPECT_EQ(yes.asked, questions);

    // The primary address is required between the GST and post code questions.
    d.pAddress1.clear();
    YesToAll again;
    r = CompanyRecord::check(d, false, again.ask());
    EXPECT_EQ(r.field, Field::PAddress1);
    EXPECT_EQ(r.message, "Please enter the Primary Address");
    EXPECT_EQ(again.asked, (QStringList{questions[0], questions[1]}));
}

TEST_F(CompanyRecordTest, PortalModeOfAChangedId)
{
    const CompanyDetails d = fullCompany();
    // A change of letter case is a change; an ID saved empty before is carried as empty.
    EXPECT_EQ(CompanyRecord::portalMode("spark1", d.name, d),
              "CompanyID~spark1~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode(QString(), d.name, d), "CompanyID~~SPARK1~Sparkle Cleaning & Co");
}

} // namespace
