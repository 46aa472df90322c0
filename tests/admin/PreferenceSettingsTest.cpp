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
    QStringList asked;
    bool answer = true;
    const PreferenceSettings::Ask ask = [&](const QString &q) {
        asked << q;
        return answer;
    };
    PreferenceValues v;
    v.gstInclusive = true;

    // Rate 0: asked, Yes saves it.
    EXPECT_TRUE(PreferenceSettings::check(v, QStringLiteral("0"), ask).ok());
    EXPECT_EQ(asked, QStringList{question});
    // No sends the user back.
    answer = false;
    auto r = PreferenceSettings::check(v, QStringLiteral("0.0"), ask);
    EXPECT_EQ(r.field, Field::TaxRate);
    EXPECT_TRUE(r.message.isEmpty());
    // Empty: asked, and Yes still finds it not numeric.
    answer = true;
    asked.clear();
    r = PreferenceSettings::check(v, QString(), ask);
    EXPECT_EQ(r.field, Field::TaxRate);
    EXPECT_EQ(asked, QStringList{question});
    EXPECT_EQ(r.message, QStringLiteral("The sales tax rate must be numeric"));
    asked.clear();
    r = PreferenceSettings::check(v, QStringLiteral("-3"), ask);
    EXPECT_EQ(r.field, Field::TaxRate);
    EXPECT_EQ(r.message, QStringLiteral("The sales tax rate cannot be negative"));
    EXPECT_TRUE(PreferenceSettings::check(v, QStringLiteral("12.5"), ask).ok());
    EXPECT_TRUE(asked.isEmpty());

    // Not inclusive: empty and negative pass, junk does not.
    v.gstInclusive = false;
    EXPECT_TRUE(PreferenceSettings::check(v, QString(), ask).ok());
    EXPECT_TRUE(PreferenceSettings::check(v, QStringLiteral("-3"), ask).ok());
    EXPECT_TRUE(asked.isEmpty());
    r = PreferenceSettings::check(v, QStringLiteral("abc"), ask);
    EXPECT_EQ(r.field, Field::TaxRate);
    EXPECT_EQ(r.message, QStringLiteral("The sales tax rate must be numeric"));
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
    const PreferenceSettings::Ask yes = [](const QString &) { return true; };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        PreferenceValues v = smtpValues();
        c.edit(v);
        const auto r = PreferenceSettings::check(v, QString(), yes);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));

        // With Outlook the same boxes are saved as they stand.
        v.emailProvider = QStringLiteral("Outlook");
        EXPECT_TRUE(PreferenceSettings::check(v, QString(), yes).ok());
    }
    PreferenceValues v = smtpValues();
    v.smtpPort = QStringLiteral("587.5");
    EXPECT_TRUE(PreferenceSettings::check(v, QString(), yes).ok());
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
