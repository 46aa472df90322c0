#include "AdminWindowTest.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"

using namespace wvs;

namespace {

class CompanyWindow : public wvs::test::AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        registerPortalStandIn();
        checked_.clear();
        CompanyRecord::idChecker() = [this](const QString &id) {
            checked_ << id;
            return reply_;
        };
    }
    void TearDown() override
    {
        CompanyRecord::idChecker() = nullptr;
        AdminWindowTest::TearDown();
    }
    void setPortal(bool on) { writeSql(QStringLiteral("UPDATE Preferences SET Portal = ?"), {on ? 1 : 0}); }
    void storeCompany(const QString &id, const QString &name)
    {
        CompanyDetails d;
        d.id = id;
        d.name = name;
        d.regNo = QStringLiteral("R1");
        d.gstNo = QStringLiteral("G1");
        d.pAddress1 = QStringLiteral("1 Main Road");
        d.pPostCode = QStringLiteral("1010");
        d.pTelephone = QStringLiteral("555 1234");
        CompanyRecord::save(d);
    }
    static void fillRequired(QWidget *w)
    {
        type(w, "NameText", QStringLiteral("Sparkle"));
        type(w, "RegNoText", QStringLiteral("R1"));
        type(w, "GSTNoText", QStringLiteral("G1"));
        type(w, "PAddress1Text", QStringLiteral("1 Main Road"));
        type(w, "PPostCodeText", QStringLiteral("1010"));
        type(w, "PTelephoneText", QStringLiteral("555 1234"));
    }

    QStringList checked_;
    QString reply_ = QStringLiteral("OK");
};

TEST_F(CompanyWindow, WithoutThePortalANewCompanyIsSavedUnchecked)
{
    // A database whose company row is gone.
    writeSql(QStringLiteral("DELETE FROM Company"));
    auto w = show<CompanyForm>();
    EXPECT_TRUE(w->NewCompany);
    type(w.get(), "IDText", QStringLiteral("ab"));
    fillRequired(w.get());
    type(w.get(), "SEmailText", QStringLiteral("other@example.com"));
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("Company details saved")});
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(checked_.isEmpty());
    EXPECT_TRUE(modal_->opened().isEmpty());
    const auto d = CompanyRecord::load();
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->id, QStringLiteral("ab"));
    EXPECT_EQ(d->sEmail, QStringLiteral("other@example.com"));
    EXPECT_EQ(d->pAddress2, QString());
}

TEST_F(CompanyWindow, PortalChangeOfIdMustReachThePortalBeforeTheRowIsSaved)
{
    setPortal(true);
    storeCompany(QStringLiteral("SPARK1"), QStringLiteral("Sparkle"));
    auto w = show<CompanyForm>();
    type(w.get(), "IDText", QStringLiteral("SPARK2"));
    type(w.get(), "NameText", QStringLiteral("Sparkle Ltd"));
    session().portalUpdateSucceeded = true; // left over from an earlier run
    click(w.get(), "OKButton");
    ASSERT_EQ(modal_->opened().size(), 1);
    EXPECT_EQ(modal_->opened()[0].tag, QStringLiteral("CompanyID~SPARK1~SPARK2~Sparkle Ltd"));
    EXPECT_EQ(msgs_->texts(), (QStringList{QStringLiteral("The internet portal will now be updated - this may take a few moments"),
                                           QStringLiteral("The internet portal was not updated - nothing has been saved")}));
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(CompanyRecord::load()->id, QStringLiteral("SPARK1"));
    EXPECT_TRUE(w->isVisible());

    modal_->on(QStringLiteral("PortalForm"), [](QDialog *) { session().portalUpdateSucceeded = true; });
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("Company details saved"));
    EXPECT_EQ(CompanyRecord::load()->id, QStringLiteral("SPARK2"));
    EXPECT_EQ(CompanyRecord::load()->name, QStringLiteral("Sparkle Ltd"));
}

TEST_F(CompanyWindow, ASaveKeepsWhatAnotherWorkstationSavedMeanwhile)
{
    storeCompany(QStringLiteral("SPARK1"), QStringLiteral("Sparkle"));
    QSqlDatabase other = secondConnection();
    auto w = show<CompanyForm>();
    writeSql(QStringLiteral("UPDATE Company SET PFax = '555 9999', SEmail = 'office@example.com'"), {}, other);
    type(w.get(), "PTelephoneText", QStringLiteral("555 4321"));
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("Company details saved"));
    auto d = CompanyRecord::load();
    EXPECT_EQ(d->pTelephone, QStringLiteral("555 4321"));
    EXPECT_EQ(d->pFax, QStringLiteral("555 9999"));
    EXPECT_EQ(d->sEmail, QStringLiteral("office@example.com"));
    EXPECT_EQ(d->name, QStringLiteral("Sparkle"));

    // Both windows opened on no company; the other workstation saved first.
    writeSql(QStringLiteral("DELETE FROM Company"));
    w = show<CompanyForm>();
    EXPECT_TRUE(w->NewCompany);
    writeSql(QStringLiteral("INSERT INTO Company (RowId, ID, CompanyName, SFax) VALUES (1, 'THEIRS', 'Theirs', '777')"), {},
             other);
    fillRequired(w.get());
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("Company details saved"));
    EXPECT_EQ(scalarSql(QStringLiteral("SELECT COUNT(*) FROM Company")).toInt(), 1);
    d = CompanyRecord::load();
    EXPECT_EQ(d->name, QStringLiteral("Sparkle"));
    EXPECT_EQ(d->pAddress1, QStringLiteral("1 Main Road"));
    EXPECT_EQ(d->id, QStringLiteral("THEIRS"));
    EXPECT_EQ(d->sFax, QStringLiteral("777"));
}

} // namespace
