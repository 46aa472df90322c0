#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLockFile;
class QTemporaryDir;

namespace wvs {

class FtpTransfer;
enum class MsgIcon;

// One synchronisation run with the web portal: it logs on to the portal's FTP
// account, runs the steps its mode selects in a fixed order, logs off and
// leaves the outcome in session().portalUpdateSucceeded, which is false from
// the start of every run and true only after a completed log-off. Every
// failure ends the run at once with its message. Files are written and read
// in a private temporary folder that goes with the run. A run ended before
// it could clean up (the program killed, the workstation switched off) leaves
// its folder, with customer data and passwords in it: the next run removes
// every such folder of the user's whose process has gone (one whose mark
// names no process once a day old), and keeps those of runs still going on
// in other instances of the program. A link of a folder's name is never
// followed, and a folder not named exactly as a run names its own is never
// touched, whatever its age.
class PortalSync {
public:
    // The wait of every transfer: polls every pollIntervalMs and gives up
    // once the number of polls exceeds pollLimit.
    struct Options {
        int pollIntervalMs = 1000;
        int pollLimit = 120;
    };
    // The options of every run (tests shorten them).
    static Options &options();

    // What a mode string asks for.
    struct Mode {
        bool known = false;
        QString name;
        QString caption;
        QString previousId;   // the ID the portal knows the company by
        QString companyId;
        QString companyName;
        qint64 scheduleNumber = 0;
        bool companyUpload = false, companyRename = false, users = false, jobTypes = false,
             publishSchedule = false, retrieveSchedule = false, importCustomerJobs = false;
    };
    // "PublishSchedule~n", "RetrieveSchedule~n", "Users~", "JobTypes~",
    // "CompanyID~old~new~name", "CompanyName~id~name",
    // "ImportCustomerJobs~". Names are compared exactly; a company name may
    // itself hold "~". Publishing takes the company's ID and name from the
    // Company row.
    static Mode parseMode(const QString &tag);

    explicit PortalSync(Mode mode);
    ~PortalSync();

    // Called with each step's text and with each state of the two transfers
    // ("Inet1 - ..." for FTP, "Inet2 - ..." for the pages).
    std::function<void(const QString &)> onInfo;
    std::function<void(const QString &)> onState;

    // Runs the mode's steps.
    void run();
    // Runs the chosen steps, always in the order company upload, company
    // rename, publish schedule, users, job types, retrieve schedule, import
    // customer jobs.
    void Process(bool companyUpload, bool companyRename, bool users, bool jobTypes, bool publishSchedule,
                 bool retrieveSchedule, bool importCustomerJobs);

    // True once an import of customer-job requests has been stored.
    bool customerJobsImported() const { return customerJobsImported_; }

private:
    using Query = QList<QPair<QString, QString>>;
    struct PageTexts {
        QString updating;
        QString success;     // empty: none
        QString failure;     // the reply follows it
        MsgIcon failureIcon;
        QString timeout;
    };

    bool companyUpload();
    bool companyRename();
    bool publishSchedule();
    bool users();
    bool jobTypes();
    bool retrieveSchedule();
    bool importCustomerJobs();

    bool companyId(QString &id);
    QString localPath(const QString &name) const;
    bool writeLocalFile(const QString &name, const QByteArray &bytes, bool ownerOnly);
    bool readLocalFile(const QString &name, const QString &cannotOpen, QByteArray &bytes);
    // Writes the lines into the run's file stem + ".txt" and puts it on the
    // portal as remote; what names the file in the time-out and failure
    // messages. A file that holds passwords is readable by this user only
    // and goes as soon as it has been sent.
    bool upload(const QString &stem, const QStringList &lines, const QString &remote, const QString &what,
                bool holdsPasswords = false);
    bool get(const QString &remoteName, const QString &localName, const QString &timeout, const QString &failure);
    bool finishFtp(const QString &timeout, const QString &failure);
    // afterFailure follows the failure or time-out message.
    bool pageCall(const QString &page, const Query &query, const PageTexts &texts,
                  const QString &afterFailure = QString());
    void info(const QString &text);
    // Lists the folders runs made in the temporary folder temp, judges each
    // by its mark and age, and removes those whose run is over.
    static void removeLeftFolders(const QString &temp);
    void state(const char *control, int code);

    Mode mode_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QLockFile> owner_;   // held while the run goes on
    std::unique_ptr<FtpTransfer> ftp_;
    bool customerJobsImported_ = false;
    bool scheduleTaken_ = false;   // the portal has loaded the schedule's file
};

} // namespace wvs
