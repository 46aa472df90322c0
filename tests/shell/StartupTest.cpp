#include "platform/Printers.h"
#include "platform/WvsError.h"
#include "shell/MainForm.h"
#include "shell/NewDatabase.h"
#include "shell/NewDatabaseForm.h"
#include "core/Session.h"
#include "support/DbTest.h"
#include "support/ControlCharacters.h"
#include "support/Keys.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace wvs;

namespace {

using StartupTest = test::DbTest;

TEST_F(StartupTest, OnlyTheMatchingDatabaseVersionStarts)
{
    MainForm::checkDatabaseVersion(readInstallation());
    EXPECT_TRUE(msgs_->texts().isEmpty());

    writeSql("UPDATE DatabaseInfo SET MinorVersion = 2");
    EXPECT_THROW(MainForm::checkDatabaseVersion(readInstallation()), ProcessEnded);
    EXPECT_EQ(msgs_->last(), "Software version does not match database version.\r\nSoftware: 1.3\r\n"
                             "Database: 1.2\r\nWVS cannot start\r\n\r\nPlease make a note of this message and "
                             "report to Support");
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);

    // Either digit differing stops the program: a database made for 2.3 as well as one for 1.2.
    if (!AppDatabase::isOpen())
        AppDatabase::open(AppDatabase::defaultPath());
    writeSql("UPDATE DatabaseInfo SET MajorVersion = 2, MinorVersion = 3");
    msgs_->clear();
    EXPECT_THROW(MainForm::checkDatabaseVersion(readInstallation()), ProcessEnded);
    EXPECT_EQ(msgs_->last(), "Software version does not match database version.\r\nSoftware: 1.3\r\n"
                             "Database: 2.3\r\nWVS cannot start\r\n\r\nPlease make a note of this message and "
                             "report to Support");
}

TEST_F(StartupTest, SequenceWarnsOfNoPrinterShowsNewVersionAndRunsOnce)
{
    PrinterScript none({});
    int checks = 0, repairs = 0;
    MainForm::checkUpdatesHook() = [&] { ++checks; return "1.3.4"; };
    MainForm::updateDbHook() = [&] { ++repairs; };
    MainForm main;
    main.show();
    QApplication::processEvents();
    main.hide();
    main.show();
    QApplication::processEvents();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(repairs, 1);
    EXPECT_EQ(msgs_->texts(), QStringList({"There are no printers connected to this workstation - you will not be "
                                           "able to print anything"}));
    EXPECT_TRUE(main.menuItem("NewVersion")->isVisible());
    EXPECT_TRUE(main.findChild<QWidget *>("LoginForm")->isVisible());
    MainForm::checkUpdatesHook() = nullptr;
    MainForm::updateDbHook() = nullptr;
}

TEST_F(StartupTest, NewDatabaseWindowChecksItsEntriesAndCreatesALoginAbleAdministrator)
{
    AppDatabase::close();
    const QString path = QDir(dir_->path()).filePath("fresh.db");
    NewDatabaseForm form(path);
    // A name longer than the Company window's Name box takes is cut where that box cuts it.
    test::typeKeys(form.findChild<QLineEdit *>("BusinessNameText"), "Green Gardens and Landscaping Services Ltd");
    form.findChild<QComboBox *>("CountryCombo")->setCurrentText("UK");
    type(&form, "AssociateIDText", "GG");
    type(&form, "AssociateNameText", "Gina Green");
    type(&form, "PasswordText", "a b");
    click(&form, "OKButton");
    EXPECT_EQ(msgs_->last(), "The password must be 4 to 20 characters with no spaces");
    EXPECT_FALSE(AppDatabase::isOpen());
    type(&form, "PasswordText", "roses");
    type(&form, "Password2Text", "roses");
    // The installation ID names files on the portal: it takes no folder separator and no character
    // the portal's code page lacks.
    const QString installationID = form.findChild<QLineEdit *>("InstallationIDText")->text();
    const QString separators = "The installation ID cannot contain \"/\" or \"\\\" - the internet portal reads them "
                               "as folder separators in its file names";
    for (const auto &[id, message] : {std::pair{"GG/01", separators}, {"GG\\01", separators},
                                      {"GG|01", "The installation ID cannot contain \"|\" - the internet portal "
                                                "separates the fields of its files with it"},
                                      {"GGŌ01", "The installation ID cannot contain \"Ō\" - the internet portal "
                                                "cannot carry that character"}}) {
        type(&form, "InstallationIDText", id);
        click(&form, "OKButton");
        EXPECT_EQ(msgs_->last(), message);
        EXPECT_FALSE(AppDatabase::isOpen());
        EXPECT_FALSE(QFile::exists(path));
    }
    // Each control character and separator: pasted into the box by the keys
    // it goes in as into any one-line box; as it stands (set by no box) it is
    // refused as the portal cannot carry it.
    auto *idBox = form.findChild<QLineEdit *>("InstallationIDText");
    for (const test::ControlRow &row : test::controlRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(test::pastedByKeys(idBox, test::withControl(row)), row.oneLine);
        EXPECT_EQ(validateNewInstallation({"Biz", "USA", idBox->text(), "AB_1", "Name", "pass"}), "");
        EXPECT_EQ(validateNewInstallation({"Biz", "USA", test::withControl(row), "AB_1", "Name", "pass"}),
                  "The installation ID cannot contain \"" + row.character.left(1) +
                      "\" - the internet portal cannot carry that character");
    }
    type(&form, "InstallationIDText", installationID);
    click(&form, "OKButton");
    ASSERT_TRUE(AppDatabase::isOpen());
    readInstallation();
    EXPECT_EQ(session().installationCountry, "UK");
    EXPECT_EQ(scalarSql("SELECT AssociateAuthorityLevel FROM Associates WHERE AssociateID = 'gg'").toInt(), 1);
    EXPECT_EQ(scalarSql("SELECT CompanyName FROM Company").toString(), "Green Gardens and Landscaping");

    // The associate ID takes 2 to 4 characters and no comma; the country is one of the list.
    for (const auto &[id, ok] : {std::pair{"AB_1", true}, {"A", false}, {"AB,C", false}, {"ABCDE", false}})
        EXPECT_EQ(validateNewInstallation({"Biz", "USA", "X1", id, "Name", "pass"}).isEmpty(), ok) << id;
    EXPECT_EQ(validateNewInstallation({"Biz", "France", "X1", "AB_1", "Name", "pass"}), "Please select the country");
    // With the next entry wrong as well, the first speaks.
    const std::pair<NewInstallation, QString> pairs[] = {
        {{"", "France", "X1", "AB_1", "Name", "pass"}, "Please enter the business name"},
        {{"Biz", "France", "", "AB_1", "Name", "pass"}, "Please select the country"},
        {{"Biz", "USA", "", "A", "Name", "pass"}, "Please enter the installation ID"},
        {{"Biz", "USA", "X1", "A", "", "pass"}, "The Associate ID must be 2 to 4 letters, digits or underscores"},
        {{"Biz", "USA", "X1", "AB_1", "", "p"}, "Please enter the Associate's name"},
    };
    for (const auto &[inst, message] : pairs)
        EXPECT_EQ(validateNewInstallation(inst), message);
}

} // namespace
