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

class CompanyRecordTest : public wvs::test::DbTest {
protected:
    // Checks the details, answering the first `yes` questions Yes and the next No.
    CompanyRecord::Check check(const CompanyDetails &d, bool portal = false, int yes = 99)
    {
        asked_.clear();
        return CompanyRecord::check(d, portal, [&](const QString &q) { return asked_ << q, asked_.size() <= yes; });
    }
    QStringList asked_;
};

TEST_F(CompanyRecordTest, IdChecksWithAndWithoutThePortal)
{
    const QString plainOnly = "Entry can only be combinations of alphabetic,numeric and underscore (_) characters";
    const struct {
        bool portal;
        const char *id;
        QString message;  // empty: the ID passes
    } cases[] = {
        {true, "", "The ID is required to be able to access the internet portal"},
        {true, "ABC", "The ID must be at least 4 characters"},
        {true, "AB CD", "The ID cannot contain spaces"},
        {true, "AB-CD", plainOnly},
        {true, "AB=CD", "Equal sign (=) and Quote sign (\") are invalid characters"},
        // Without the portal it may be empty or short, but must still be plain.
        {false, "", ""},
        {false, "AB", ""},
        {false, "AB CD", "Spaces not allowed in this field"},
        {false, "AB,CD", plainOnly},
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
}

TEST_F(CompanyRecordTest, NameAndQuestionsInOrder)
{
    CompanyDetails d = fullCompany();
    d.name.clear();
    EXPECT_EQ(check(d).message, "Please enter the Name");

    // Every question answered No stops at its own box.
    d = fullCompany();
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
    // The primary address is required between the GST and post code questions.
    d.pAddress1.clear();
    const auto r = check(d);
    EXPECT_EQ(r.field, Field::PAddress1);
    EXPECT_EQ(r.message, "Please enter the Primary Address");
    EXPECT_EQ(asked_, questions.mid(0, 2));
}

TEST_F(CompanyRecordTest, PortalModeOfAChangedId)
{
    const CompanyDetails d = fullCompany();
    // A change of letter case is a change; an ID saved empty before is carried as empty.
    EXPECT_EQ(CompanyRecord::portalMode("spark1", d.name, d), "CompanyID~spark1~SPARK1~Sparkle Cleaning & Co");
    EXPECT_EQ(CompanyRecord::portalMode(QString(), d.name, d), "CompanyID~~SPARK1~Sparkle Cleaning & Co");
}

} // namespace
