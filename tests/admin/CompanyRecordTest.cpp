#include "admin/CompanyRecord.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = CompanyRecord::Field;

namespace {

CompanyDetails fullCompany()
{
    CompanyDetails d;
    d.id = QStringLiteral("SPARK1");
    d.name = QStringLiteral("Sparkle Cleaning & Co");
    d.regNo = QStringLiteral("REG 1");
    d.gstNo = QStringLiteral("12-345-678");
    d.pAddress1 = QStringLiteral("1 Main Road");
    d.pPostCode = QStringLiteral("1010");
    d.pTelephone = QStringLiteral("09 555 1234");
    return d;
}

class CompanyRecordTest : public wvs::test::DbTest {};

TEST_F(CompanyRecordTest, IdChecksWithThePortal)
{
    struct Case {
        const char *id;
        Field field;
        const char *message;
    };
    const Case cases[] = {
        {"", Field::ID, "The ID is required to be able to access the internet portal"},
        {"ABC", Field::ID, "The ID must be at least 4 characters"},
        {"AB CD", Field::ID, "The ID cannot contain spaces"},
        {"AB-CD", Field::ID, "Entry can only be combinations of alphabetic,numeric and underscore (_) characters"},
        {"AB=CD", Field::ID, "Equal sign (=) and Quote sign (\") are invalid characters"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        msgs_->clear();
        CompanyDetails d = fullCompany();
        d.id = QString::fromUtf8(c.id);
        d.name.clear(); // the ID comes first
        EXPECT_EQ(CompanyRecord::check(d, true), c.field);
        EXPECT_EQ(msgs_->texts(), QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(CompanyRecordTest, WithoutThePortalTheIdMayBeEmptyOrShortButMustStillBePlain)
{
    CompanyDetails d = fullCompany();
    d.id.clear();
    EXPECT_EQ(CompanyRecord::check(d, false), Field::None);
    d.id = QStringLiteral("AB");
    EXPECT_EQ(CompanyRecord::check(d, false), Field::None);
    EXPECT_TRUE(msgs_->texts().isEmpty());

    d.id = QStringLiteral("AB CD");
    EXPECT_EQ(CompanyRecord::check(d, false), Field::ID);
    EXPECT_EQ(msgs_->last(), QStringLiteral("Spaces not allowed in this field"));
    d.id = QStringLiteral("AB,CD");
    EXPECT_EQ(CompanyRecord::check(d, false), Field::ID);
    EXPECT_EQ(msgs_->last(), QStringLiteral("Entry can only be combinations of alphabetic,numeric and underscore (_) characters"));
}

TEST_F(CompanyRecordTest, NameAndQuestionsInOrder)
{
    CompanyDetails d = fullCompany();
    d.name.clear();
    EXPECT_EQ(CompanyRecord::check(d, false), Field::Name);
    EXPECT_EQ(msgs_->last(), QStringLiteral("Please enter the Name"));
    d.name = QStringLiteral("Smith = Sons");
    EXPECT_EQ(CompanyRecord::check(d, false), Field::Name);
    EXPECT_EQ(msgs_->last(), QStringLiteral("Equal sign (=) and Quote sign (\") are invalid characters"));

    // Every question answered No stops at its own box.
    d = fullCompany();
    d.regNo.clear();
    d.gstNo.clear();
    d.pPostCode.clear();
    d.pTelephone.clear();
    const QStringList questions{QStringLiteral("No Registered Number has been entered. Is this correct?"),
                                QStringLiteral("No GST Number has been entered. Is this correct?"),
                                QStringLiteral("No Primary Post Code has been entered. Is this correct?"),
                                QStringLiteral("No Primary Telephone number has been entered. Is this correct?")};
    const Field fields[] = {Field::RegNo, Field::GSTNo, Field::PPostCode, Field::PTelephone};
    for (int no = 0; no < 4; ++no) {
        msgs_->clear();
        for (int i = 0; i < no; ++i)
            msgs_->answer(MsgAnswer::Yes);
        msgs_->answer(MsgAnswer::No);
        EXPECT_EQ(CompanyRecord::check(d, false), fields[no]);
        EXPECT_EQ(msgs_->texts(), questions.mid(0, no + 1));
    }
    msgs_->clear();
    EXPECT_EQ(CompanyRecord::check(d, false), Field::None); // Yes to all
    EXPECT_EQ(msgs_->texts(), questions);

    // The primary address is required between the GST and post code questions.
    msgs_->clear();
    d.pAddress1.clear();
    EXPECT_EQ(CompanyRecord::check(d, false), Field::PAddress1);
    EXPECT_EQ(msgs_->texts(), (QStringList{questions[0], questions[1], QStringLiteral("Please enter the Primary Address")}));
}

TEST_F(CompanyRecordTest, TwoSavesOfANewCompanyKeepOneRow)
{
    CompanyRecord::save(fullCompany());
    CompanyDetails d = fullCompany();
    d.name = QStringLiteral("Sparkle Ltd");
    CompanyRecord::save(d);
    EXPECT_EQ(scalarSql(QStringLiteral("SELECT COUNT(*) FROM Company")).toInt(), 1);
    EXPECT_EQ(CompanyRecord::load()->name, QStringLiteral("Sparkle Ltd"));
}

TEST_F(CompanyRecordTest, PortalModeOfAChangedId)
{
    const CompanyDetails d = fullCompany();
    // A change of letter case is a change; an ID saved empty before is carried as empty.
    EXPECT_EQ(CompanyRecord::portalMode(QStringLiteral("spark1"), d.name, d),
              QStringLiteral("CompanyID~spark1~SPARK1~Sparkle Cleaning & Co"));
    EXPECT_EQ(CompanyRecord::portalMode(QString(), d.name, d), QStringLiteral("CompanyID~~SPARK1~Sparkle Cleaning & Co"));
    // No check page installed: no answer.
    EXPECT_EQ(CompanyRecord::checkId(QStringLiteral("SPARK1")), QString());
}

} // namespace
