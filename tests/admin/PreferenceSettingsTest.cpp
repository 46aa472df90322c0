#include <functional>
#include "admin/PreferenceSettings.h"
#include "platform/WvsError.h"
#include "support/DbTest.h"

using namespace wvs;
using Field = PreferenceSettings::Field;

namespace {

class PreferenceSettingsTest : public wvs::test::DbTest {};

PreferenceValues smtpValues()
{
    PreferenceValues v;
    v.emailProvider = QStringLiteral("Other");
    v.smtpServer = QStringLiteral("mail.example.com");
    v.smtpPort = QStringLiteral("587");
    v.smtpUserName = QStringLiteral("office@example.com");
    v.smtpPassword = QStringLiteral("pw");
    return v;
}

TEST_F(PreferenceSettingsTest, TaxRateChecks)
{
    const QString question =
        QStringLiteral("Customer Jobs are inclusive of sales tax but no tax rate has been entered - is this correct?");
    PreferenceValues v;
    v.gstInclusive = true;

    // Rate 0: asked, Yes saves it.
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("0")), Field::None);
    EXPECT_EQ(msgs_->texts(), QStringList{question});
    // No sends the user back.
    msgs_->clear();
    msgs_->answer(MsgAnswer::No);
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("0.0")), Field::TaxRate);
    // Empty: asked, and Yes still finds it not numeric.
    msgs_->clear();
    EXPECT_EQ(PreferenceSettings::check(v, QString()), Field::TaxRate);
    EXPECT_EQ(msgs_->texts(), (QStringList{question, QStringLiteral("The sales tax rate must be numeric")}));
    msgs_->clear();
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("15%")), Field::TaxRate);
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("The sales tax rate must be numeric")});
    msgs_->clear();
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("-3")), Field::TaxRate);
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("The sales tax rate cannot be negative")});
    msgs_->clear();
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("12.5")), Field::None);
    EXPECT_TRUE(msgs_->texts().isEmpty());

    // Not inclusive: empty and negative pass, junk does not.
    v.gstInclusive = false;
    EXPECT_EQ(PreferenceSettings::check(v, QString()), Field::None);
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("-3")), Field::None);
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(PreferenceSettings::check(v, QStringLiteral("abc")), Field::TaxRate);
    EXPECT_EQ(msgs_->last(), QStringLiteral("The sales tax rate must be numeric"));
    EXPECT_EQ(PreferenceSettings::taxRateFor(QString()), 0);
    EXPECT_EQ(PreferenceSettings::taxRateFor(QStringLiteral("-3")), -3);
}

TEST_F(PreferenceSettingsTest, SmtpChecksOnlyForOther)
{
    struct Case {
        std::function<void(PreferenceValues &)> edit;
        Field field;
        const char *message;
    };
    const Case cases[] = {
        {[](PreferenceValues &v) { v.smtpServer.clear(); v.smtpPort.clear(); }, Field::Server,
         "Please enter the name of the Email Service Provider's Server"},
        {[](PreferenceValues &v) { v.smtpPort.clear(); }, Field::Port, "Please enter the Email Service Provider Port"},
        {[](PreferenceValues &v) { v.smtpPort = QStringLiteral("25a"); }, Field::Port,
         "The Email Service Provider Port must be numeric"},
        {[](PreferenceValues &v) { v.smtpPort = QStringLiteral("-25"); }, Field::Port,
         "The Email Service Provider Port be negative"},
        {[](PreferenceValues &v) { v.smtpUserName.clear(); }, Field::UserName,
         "Please enter the User Name for the Email Service Provider"},
        {[](PreferenceValues &v) { v.smtpPassword.clear(); }, Field::Password,
         "Please enter the Password for the Email Service Provider"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        msgs_->clear();
        PreferenceValues v = smtpValues();
        c.edit(v);
        EXPECT_EQ(PreferenceSettings::check(v, QString()), c.field);
        EXPECT_EQ(msgs_->texts(), QStringList{QString::fromUtf8(c.message)});

        // With Outlook the same boxes are saved as they stand.
        msgs_->clear();
        v.emailProvider = QStringLiteral("Outlook");
        EXPECT_EQ(PreferenceSettings::check(v, QString()), Field::None);
        EXPECT_TRUE(msgs_->texts().isEmpty());
    }
    PreferenceValues v = smtpValues();
    v.smtpPort = QStringLiteral("587.5");
    EXPECT_EQ(PreferenceSettings::check(v, QString()), Field::None);
}

TEST_F(PreferenceSettingsTest, AFailedSaveKeepsTheOldRow)
{
    PreferenceValues v;
    v.myob = true;
    PreferenceSettings::save(v);
    execSql(QStringLiteral("CREATE TEMP TRIGGER FailPrefs BEFORE INSERT ON Preferences "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    v.myob = false;
    EXPECT_THROW(PreferenceSettings::save(v), WvsError);
    ASSERT_TRUE(PreferenceSettings::load().has_value());
    EXPECT_TRUE(PreferenceSettings::load()->myob);
}

} // namespace
