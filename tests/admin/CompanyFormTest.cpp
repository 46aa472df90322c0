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
        // A stand-in portal window, driven through modal_ by its name.
        FormRegistry::add("PortalForm", [](QWidget *parent) -> QDialog * {
            auto *d = new QDialog(parent);
            d->setObjectName("PortalForm");
            return d;
        });
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
    void setPortal(bool on) { writeSql("UPDATE Preferences SET Portal = ?", {on ? 1 : 0}); }
    void storeCompany(const QString &id, const QString &name)
    {
        CompanyRecord::save({.id = id, .name = name, .regNo = "R1", .gstNo = "G1", .pAddress1 = "1 Main Road",
                             .pPostCode = "1010", .pTelephone = "555 1234"});
    }

    QStringList checked_;
    QString reply_ = "OK";
};

TEST_F(CompanyWindow, PortalChangeOfIdMustReachThePortalBeforeTheRowIsSaved)
{
    setPortal(true);
    storeCompany("SPARK1", "Sparkle");
    auto w = show<CompanyForm>();
    click(w.get(), "HelpImage");
    EXPECT_EQ(msgs_->last(), "The ID can be left blank if the internet portal is not being used. \r\n"
                             "Otherwise, a minimum of 4 and a maximum of 10 alphanumeric characters (a - z  0 - 9) "
                             "with no spaces is required.\r\nThe ID is not case sensitive.");
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
    EXPECT_EQ(CompanyRecord::load()->name, "Sparkle Ltd");
}

TEST_F(CompanyWindow, ASaveKeepsWhatAnotherWorkstationSavedMeanwhile)
{
    storeCompany("SPARK1", "Sparkle");
    QSqlDatabase other = secondConnection();
    auto w = show<CompanyForm>();
    writeSql("UPDATE Company SET PFax = '555 9999', SEmail = 'office@example.com'", {}, other);
    type(w.get(), "PTelephoneText", "555 4321");
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Company details saved");
    auto d = CompanyRecord::load();
    EXPECT_EQ(d->pTelephone, "555 4321");
    EXPECT_EQ(d->pFax, "555 9999");
    EXPECT_EQ(d->sEmail, "office@example.com");
    EXPECT_EQ(d->name, "Sparkle");

    // Both windows opened on no company; the other workstation saved first.
    writeSql("DELETE FROM Company");
    w = show<CompanyForm>();
    EXPECT_TRUE(w->NewCompany);
    writeSql("INSERT INTO Company (RowId, ID, CompanyName, SFax) VALUES (1, 'THEIRS', 'Theirs', '777')", {},
             other);
    for (const auto &[box, value] : {std::pair{"NameText", "Sparkle"}, {"RegNoText", "R1"}, {"GSTNoText", "G1"},
                                     {"PAddress1Text", "1 Main Road"}, {"PPostCodeText", "1010"}, {"PTelephoneText", "555 1234"}})
        type(w.get(), box, value);
    click(w.get(), "OKButton");
    EXPECT_EQ(msgs_->last(), "Company details saved");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Company").toInt(), 1);
    d = CompanyRecord::load();
    EXPECT_EQ(d->name, "Sparkle");
    EXPECT_EQ(d->id, "THEIRS");
    EXPECT_EQ(d->sFax, "777");
    // Without the portal no ID is checked with it.
    EXPECT_TRUE(checked_.isEmpty());
    EXPECT_TRUE(modal_->opened().isEmpty());
}

} // namespace
