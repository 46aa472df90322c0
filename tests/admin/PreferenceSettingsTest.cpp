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
    return {.emailProvider = "Other", .smtpServer = "mail.example.com", .smtpPort = "587",
            .smtpUserName = "office@example.com", .smtpPassword = "pw"};
}

TEST_F(PreferenceSettingsTest, TaxRateChecks)
{
    const QString numeric = "The sales tax rate must be numeric";
    const struct {
        bool inclusive;
        const char *rate;
        bool answer;     // to the question of a missing rate
        bool asked;
        Field field;
        QString message;
    } cases[] = {
        {true, "0", true, true, Field::None, ""},          // Yes keeps the rate 0
        {true, "0.0", false, true, Field::TaxRate, ""},    // No sends the user back
        {true, "", true, true, Field::TaxRate, numeric},   // Yes still finds it not numeric
        {true, "-3", true, false, Field::TaxRate, "The sales tax rate cannot be negative"},
        {true, "12.5", true, false, Field::None, ""},
        {false, "", true, false, Field::None, ""},
        {false, "-3", true, false, Field::None, ""},
        {false, "abc", true, false, Field::TaxRate, numeric},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.rate) + (c.inclusive ? " inclusive" : ""));
        QStringList asked;
        PreferenceValues v;
        v.gstInclusive = c.inclusive;
        const auto r = PreferenceSettings::check(v, c.rate, [&](const QString &q) {
            asked << q;
            return c.answer;
        });
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(asked, c.asked ? QStringList{"Customer Jobs are inclusive of sales tax but no tax rate has been "
                                               "entered - is this correct?"}
                                 : QStringList());
    }
}

TEST_F(PreferenceSettingsTest, SmtpChecksOnlyForOther)
{
    const struct {
        std::function<void(PreferenceValues &)> edit;
        Field field;
        QString message;
    } cases[] = {
        {[](auto &v) { v.smtpServer.clear(); v.smtpPort.clear(); }, Field::Server,
         "Please enter the name of the Email Service Provider's Server"},
        {[](auto &v) { v.smtpPort.clear(); }, Field::Port, "Please enter the Email Service Provider Port"},
        {[](auto &v) { v.smtpPort = "25a"; }, Field::Port, "The Email Service Provider Port must be numeric"},
        {[](auto &v) { v.smtpPort = "-25"; }, Field::Port, "The Email Service Provider Port be negative"},
        {[](auto &v) { v.smtpUserName.clear(); }, Field::UserName, "Please enter the User Name for the Email Service Provider"},
        {[](auto &v) { v.smtpPassword.clear(); }, Field::Password, "Please enter the Password for the Email Service Provider"},
        {[](auto &v) { v.smtpPort = "587.5"; }, Field::None, ""},
    };
    const PreferenceSettings::Ask yes = [](const QString &) { return true; };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        PreferenceValues v = smtpValues();
        c.edit(v);
        const auto r = PreferenceSettings::check(v, QString(), yes);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, c.message);
        // With Outlook the same boxes are saved as they stand.
        v.emailProvider = "Outlook";
        EXPECT_TRUE(PreferenceSettings::check(v, QString(), yes).ok());
    }
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
