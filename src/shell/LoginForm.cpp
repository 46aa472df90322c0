#include "shell/LoginForm.h"
#include "admin/AccessRights.h"
#include "data/PreferenceChoices.h"
#include "common/CreateRoundedRectModule.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "platform/TypingLimit.h"
#include "scheduling/ScheduleLocks.h"
#include "shell/HiddenForm.h"
#include "core/Session.h"

#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wvs {

namespace Login {

std::optional<AssociateLogin> findAssociate(const QString &id, const QString &password)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT AssociateID, AssociateName, AssociateAuthorityLevel, Active, "
                                         "AssociateStatus, InitialScreen FROM Associates "
                                         "WHERE AssociateID = ? AND AssociatePassword = ?"),
                          {id, password});
    if (!q.next())
        return std::nullopt;
    AssociateLogin a;
    a.id = q.value(0).toString();
    a.name = q.value(1).toString();
    a.authorityLevel = q.value(2).toInt();
    a.active = q.value(3).toInt() != 0;
    a.status = q.value(4).toDouble();
    a.initialScreen = q.value(5).toString();
    return a;
}

void forceLogOff(const QString &id)
{
    Transaction t;
    writeSql(QStringLiteral("UPDATE Associates SET AssociateStatus = -AssociateStatus "
                            "WHERE AssociateID = ? AND AssociateStatus < 0"),
             {id});
    ScheduleLocks::releaseAll(id);
    t.commit();
}

AreaRights readRights(int level)
{
    AreaRights r;
    if (const std::optional<RightsValues> v = AccessRights::load(level)) {
        r.company = v->value(RightsArea::Company);
        r.associates = v->value(RightsArea::Associates);
        r.customerJobs = v->value(RightsArea::CustomerJobs);
        r.customers = v->value(RightsArea::Customers);
        r.jobTypes = v->value(RightsArea::JobTypes);
        r.jobSchedules = v->value(RightsArea::JobSchedules);
        r.accounts = v->value(RightsArea::Accounts);
        r.security = v->value(RightsArea::Security);
        r.preferences = v->value(RightsArea::Preferences);
    }
    return r;
}

bool initialScreenOpens(const QString &formName, const AreaRights &rights)
{
    // Each initial screen is the list window of one area's main menu item and
    // opens only where that item is available.
    static const QList<std::pair<QString, RightsArea>> screens{
        {QStringLiteral("CustomersManagementForm"), RightsArea::Customers},
        {QStringLiteral("CustomerJobsManagementForm"), RightsArea::CustomerJobs},
        {QStringLiteral("SchedulesManagementForm"), RightsArea::JobSchedules}};
    for (const auto &[form, area] : screens)
        if (form == formName)
            return AccessRights::opensArea(rights.of(area)) && FormRegistry::contains(formName);
    return false;
}

void markLoggedOn(const QString &id)
{
    // The mark is a negative day number; an associate never logged off yet
    // (0) is marked with today's.
    writeSql(QStringLiteral("UPDATE Associates SET AssociateStatus = CASE WHEN AssociateStatus > 0 "
                            "THEN -AssociateStatus WHEN AssociateStatus = 0 THEN ? ELSE AssociateStatus END "
                            "WHERE AssociateID = ?"),
             {-double(Formats::dateSerial(QDate::currentDate())), id});
}

} // namespace Login

LoginForm::LoginForm(MainForm *mainWindow) : Form(mainWindow), main_(mainWindow)
{
    setObjectName(QStringLiteral("LoginForm"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(false);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(10);
    setFont(arial);
    // A typed password shows as "*".
    setStyleSheet(QStringLiteral("wvs--LoginForm { background: #e8eef5; border: 1px solid #5a7896; }"
                                 "QLineEdit { lineedit-password-character: 42; }"));

    logInLabel_ = new QLabel(QStringLiteral("Please log in"), this);
    logInLabel_->setObjectName(QStringLiteral("LogInLabel"));
    QFont big = arial;
    big.setPointSize(13);
    big.setBold(true);
    logInLabel_->setFont(big);
    logInLabel_->setAlignment(Qt::AlignCenter);

    auto *idLabel = new QLabel(QStringLiteral("ID"), this);
    idLabel->setObjectName(QStringLiteral("IDLabel"));
    idText_ = new QLineEdit(this);
    idText_->setObjectName(QStringLiteral("IDText"));
    TypingLimit::apply(idText_, 4);
    auto *pwLabel = new QLabel(QStringLiteral("Password"), this);
    pwLabel->setObjectName(QStringLiteral("PasswordLabel"));
    passwordText_ = new QLineEdit(this);
    passwordText_->setObjectName(QStringLiteral("PasswordText"));
    TypingLimit::apply(passwordText_, 20);
    passwordText_->setEchoMode(QLineEdit::Password);

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));

    auto *form = new QFormLayout;
    form->addRow(idLabel, idText_);
    form->addRow(pwLabel, passwordText_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(logInLabel_);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(320, 190);

    connect(okButton_, &QPushButton::clicked, this, &LoginForm::OKButton_Click);
    connect(cancelButton_, &QPushButton::clicked, this, &LoginForm::CancelButton_Click);
}

void LoginForm::showEvent(QShowEvent *e)
{
    Form::showEvent(e);
    CreateRoundRectFromWindow(this);
    if (main_) {
        const QRect g = main_->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
    raise();
    activateWindow();
    idText_->setFocus();
}

void LoginForm::reject()
{
    // Escape is the Cancel button.
    CancelButton_Click();
}

void LoginForm::CancelButton_Click()
{
    guarded("LoginForm", "CancelButton_Click", [&] {
        bool cancel = true;
        if (main_ && main_->hiddenForm())
            main_->hiddenForm()->Form_Unload(cancel);
        else
            HiddenForm(main_).Form_Unload(cancel);
    });
}

void LoginForm::OKButton_Click()
{
    guarded("LoginForm", "OKButton_Click", [&] {
        const QString id = idText_->text();
        const QString password = passwordText_->text();
        if (id.isEmpty()) {
            msgBox(QStringLiteral("Please enter a User ID"));
            idText_->setFocus();
            return;
        }
        if (password.isEmpty()) {
            msgBox(QStringLiteral("Please enter a Password"));
            passwordText_->setFocus();
            return;
        }
        const auto associate = Login::findAssociate(id, password);
        if (!associate) {
            msgBox(QStringLiteral("ID and/or Password not valid"));
            passwordText_->clear();
            return;
        }
        if (!associate->active) {
            msgBox(QStringLiteral("Associate ") + id + QStringLiteral(" is not active and cannot log in"));
            return;
        }
        if (associate->status < 0) {
            const bool logOff = msgBox(QStringLiteral("Associate ") + id + QStringLiteral(" already logged on!\r\n"
                                       "\r\n"
                                       "BEWARE - if the User is active logging them off with this function may cause system errors.\r\n"
                                       "\r\n"
                                       "Do you wish to log this Associate off anyway?"),
                                       MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes;
            if (logOff) {
                Login::forceLogOff(associate->id);
                msgBox(QStringLiteral("Associate ") + id + QStringLiteral(" logged off. Please log in again"));
            }
            idText_->clear();
            passwordText_->clear();
            idText_->setFocus();
            return;
        }

        // The session is set only once the associate is known to be free to log in.
        Session &s = session();
        s.currentAssociateID = associate->id;
        s.currentAssociateName = associate->name;
        s.currentAuthorityLevel = associate->authorityLevel;
        s.initialScreen = associate->initialScreen.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0
            ? QString()
            : associate->initialScreen;

        // Level 0 has no rights: no menu and no initial screen.
        const AreaRights rights = s.currentAuthorityLevel != 0 ? Login::readRights(s.currentAuthorityLevel) : AreaRights{};
        if (s.currentAuthorityLevel != 0) {
            if (main_)
                main_->applyRights(rights, accountsPackageInUse());
        } else {
            msgBox(QStringLiteral("You do not have authority to perform any functions"));
        }
        Login::markLoggedOn(s.currentAssociateID);

        const QString initial = s.initialScreen;
        hide();
        close();
        // A name that matches no initial screen, or one whose area the level
        // has no right to, opens nothing, as "None" does.
        if (Login::initialScreenOpens(initial, rights)) {
            QWidget *parent = main_;
            QMetaObject::invokeMethod(
                qApp, [initial, parent] { guarded("LoginForm", "OKButton_Click", [&] { FormRegistry::open(initial, QString(), parent); }); },
                Qt::QueuedConnection);
        }
    });
}

} // namespace wvs
