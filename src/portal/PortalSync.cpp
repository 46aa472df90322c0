#include "portal/PortalSync.h"

#include "admin/CompanyRecord.h"
#include "common/ReplyExcerpt.h"
#include "core/Session.h"
#include "data/AppDatabase.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"
#include "platform/WvsError.h"
#include "portal/PortalRetrievals.h"
#include "portal/PortalSite.h"
#include "portal/PortalUploadFiles.h"
#include "scheduling/SchedulePublishing.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <curl/curl.h>
#include <unistd.h>

namespace wvs {

namespace {
const QString kVersion = QStringLiteral("1.3");
const QString kFolderPrefix = QStringLiteral("wvs-portal-");
// A run's folder is named by the prefix and six letters or digits put in
// place of the placeholder.
const QString kFolderPlaceholder = QStringLiteral("XXXXXX");
// Marks a run's folder as in use by the program's process that made it.
const QString kOwnerFile = QStringLiteral("run.lock");

// The folders runs made in the temporary folder: those named exactly as a run
// names its own (case and length included: a folder of the user's that merely
// begins alike is not the program's) that are real folders of this user's.
// In a shared temporary folder anyone may make a link of such a name that
// leads to a folder of the user's own, and another user's folder is none of
// this run's business. Nobody else can swap a folder of the user's for a link
// (a shared temporary folder lets only an entry's owner rename or remove it).
QFileInfoList runFolders(const QDir &temp)
{
    static const QRegularExpression runName(QLatin1Char('^') + QRegularExpression::escape(kFolderPrefix)
                                            + QStringLiteral("[A-Za-z0-9]{%1}$").arg(kFolderPlaceholder.size()));
    QFileInfoList folders;
    for (const QFileInfo &entry :
         temp.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (runName.match(entry.fileName()).hasMatch() && !entry.isSymLink() && entry.ownerId() == geteuid())
            folders << entry;
    }
    return folders;
}

// Whether the run that made a folder is over, by its mark and age. A folder
// not yet marked is left to its run for a minute (a run marks its folder just
// after making it). A mark that names no process is never taken by the lock (a
// run cut off while writing it leaves it empty): it is left to its run for a
// day, longer than any run lasts, counted from the later of the folder's time
// and the mark's. A mark that names a process stands while that process holds
// it, that is while its run goes on in another instance of the program.
bool runHasEnded(const QFileInfo &folder)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString ownerFile = QDir(folder.filePath()).filePath(kOwnerFile);
    const QFileInfo mark(ownerFile);
    if (!mark.exists())
        return folder.lastModified().toUTC() <= now.addSecs(-60);
    QLockFile owner(ownerFile);
    owner.setStaleLockTime(0);   // a run may take as long as it takes
    qint64 pid = 0;
    QString host, program;
    if (!owner.getLockInfo(&pid, &host, &program))
        return std::max(folder.lastModified().toUTC(), mark.lastModified().toUTC()) <= now.addDays(-1);
    if (!owner.tryLock(0))
        return false;
    owner.unlock();
    return true;
}
} // namespace

PortalSync::Options &PortalSync::options()
{
    static Options o;
    return o;
}

PortalSync::Mode PortalSync::parseMode(const QString &tag)
{
    Mode m;
    const qsizetype p1 = tag.indexOf(QLatin1Char('~'));
    m.name = p1 < 0 ? tag : tag.left(p1);
    const QString rest = p1 < 0 ? QString() : tag.mid(p1 + 1);
    m.known = true;
    if (m.name == QLatin1String("PublishSchedule")) {
        m.caption = QStringLiteral("Publishing Schedule on Portal");
        QSqlQuery q = execSql(QStringLiteral("SELECT ID, CompanyName FROM Company"));
        if (q.next()) {
            m.previousId = m.companyId = q.value(0).toString();
            m.companyName = q.value(1).toString();
        }
        m.scheduleNumber = rest.trimmed().toLongLong();
        m.companyUpload = m.publishSchedule = m.users = m.jobTypes = true;
    } else if (m.name == QLatin1String("RetrieveSchedule")) {
        m.caption = QStringLiteral("Retrieving Schedule from Portal");
        m.scheduleNumber = rest.trimmed().toLongLong();
        m.retrieveSchedule = true;
    } else if (m.name == QLatin1String("Users")) {
        m.caption = QStringLiteral("Updating Users on Portal");
        m.users = true;
    } else if (m.name == QLatin1String("JobTypes")) {
        m.caption = QStringLiteral("Updating Job Types on Portal");
        m.jobTypes = true;
    } else if (m.name == QLatin1String("CompanyID")) {
        m.caption = QStringLiteral("Updating Company on Portal");
        const QStringList parts = rest.split(QLatin1Char('~'));
        m.previousId = parts.value(0);
        m.companyId = parts.value(1);
        m.companyName = parts.size() > 2 ? parts.mid(2).join(QLatin1Char('~')) : QString();
        m.companyUpload = true;
    } else if (m.name == QLatin1String("CompanyName")) {
        m.caption = QStringLiteral("Updating Company on Portal");
        const qsizetype p2 = rest.indexOf(QLatin1Char('~'));
        m.companyId = p2 < 0 ? rest : rest.left(p2);
        m.companyName = p2 < 0 ? QString() : rest.mid(p2 + 1);
        m.companyRename = true;
    } else if (m.name == QLatin1String("ImportCustomerJobs")) {
        m.caption = QStringLiteral("Importing Customer Jobs from Portal");
        m.importCustomerJobs = true;
    } else {
        m.known = false;
    }
    return m;
}

PortalSync::PortalSync(Mode mode) : mode_(std::move(mode)) {}
PortalSync::~PortalSync() = default;

void PortalSync::run()
{
    if (!mode_.known)
        return;
    Process(mode_.companyUpload, mode_.companyRename, mode_.users, mode_.jobTypes, mode_.publishSchedule,
            mode_.retrieveSchedule, mode_.importCustomerJobs);
}

void PortalSync::Process(bool companyUploadOn, bool companyRenameOn, bool usersOn, bool jobTypesOn,
                         bool publishScheduleOn, bool retrieveScheduleOn, bool importCustomerJobsOn)
{
    session().portalUpdateSucceeded = false;
    try {
        // The run's files live in a folder only this user can read (the
        // users file holds passwords); it goes, with every file, when the
        // run ends, whatever the outcome, and the next run clears what a
        // killed one left.
        // With TMPDIR naming a folder that does not exist the system gives
        // no temporary folder at all: the run then stops before it sweeps or
        // makes anything, rather than do so in the working directory or at
        // the root.
        const QString temp = QDir::tempPath();
        if (temp.isEmpty() || !QFileInfo(temp).isDir()) {
            const QString named = temp.isEmpty() ? qEnvironmentVariable("TMPDIR") : temp;
            msgBox(QStringLiteral("Unable to create a folder for the portal files in ") + named, MsgButtons::Ok,
                   MsgIcon::Exclamation);
            return;
        }
        removeLeftFolders(temp);
        dir_ = std::make_unique<QTemporaryDir>(temp + QLatin1Char('/') + kFolderPrefix + kFolderPlaceholder);
        if (dir_->isValid()) {
            owner_ = std::make_unique<QLockFile>(dir_->filePath(kOwnerFile));
            owner_->setStaleLockTime(0);
        }
        if (!dir_->isValid() || !owner_->tryLock(0)) {
            msgBox(QStringLiteral("Unable to create a folder for the portal files in ") + temp,
                   MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }

        info(QStringLiteral("Logging on to ftp..."));
        ftp_ = std::make_unique<FtpTransfer>(PortalSite::ftpAccount());
        ftp_->setStateHandler([this](int code) { state("Inet1", code); });

        const bool done = (!companyUploadOn || companyUpload()) && (!companyRenameOn || companyRename())
                          && (!publishScheduleOn || publishSchedule()) && (!usersOn || users())
                          && (!jobTypesOn || jobTypes()) && (!retrieveScheduleOn || retrieveSchedule())
                          && (!importCustomerJobsOn || importCustomerJobs());
        if (done) {
            info(QStringLiteral("Logging off ftp..."));
            ftp_->startClose();
            if (finishFtp(QStringLiteral("Failed to close ftp"), QStringLiteral("Failed to close ftp"))) {
                session().portalUpdateSucceeded = true;
                msgBox(QStringLiteral("Process completed successfully"));
            }
        }
    } catch (const WvsError &e) {
        msgBox(QStringLiteral("The following error was encountered in Process function\r\nCode: %1\r\nDescription: %2")
                   .arg(e.number())
                   .arg(e.description()),
               MsgButtons::Ok, MsgIcon::Exclamation);
    } catch (const std::exception &e) {
        msgBox(QStringLiteral("The following error was encountered in Process function\r\nCode: %1\r\nDescription: %2")
                   .arg(ErrorNumber::General)
                   .arg(QString::fromLocal8Bit(e.what())),
               MsgButtons::Ok, MsgIcon::Exclamation);
    }
    // The portal shows the schedule it has taken, whatever failed after it;
    // the one marked Published is another until the user publishes again.
    if (scheduleTaken_ && !session().portalUpdateSucceeded)
        msgBox(SchedulePublishing::notMarkedMessage(), MsgButtons::Ok, MsgIcon::Exclamation);
    ftp_.reset();
    owner_.reset();
    dir_.reset();
}

void PortalSync::removeLeftFolders(const QString &temp)
{
    for (const QFileInfo &folder : runFolders(QDir(temp)))
        if (runHasEnded(folder))
            QDir(folder.filePath()).removeRecursively();
}

// ---- The upload steps ----

bool PortalSync::companyUpload()
{
    const QString serial = session().installationID;
    info(QStringLiteral("Creating Company file..."));
    const QString remote = PortalUploadFiles::remoteName(QStringLiteral("Company"), mode_.companyId, serial);
    if (!upload(QStringLiteral("Company"),
                {PortalUploadFiles::companyLine(mode_.companyId, serial, mode_.companyName, session().installationCountry)},
                remote, QStringLiteral("Company file")))
        return false;
    return pageCall(QStringLiteral("LoadCompany.php"),
                    {{QStringLiteral("filename"), remote},
                     {QStringLiteral("oldcompanyid"), mode_.previousId},
                     {QStringLiteral("companyserial"), serial}},
                    {QStringLiteral("Updating company data...."), QStringLiteral("Company updated successfully"),
                     QStringLiteral("Company update failed - "), MsgIcon::None,
                     QStringLiteral("Company file load timed out - please try again")});
}

bool PortalSync::companyRename()
{
    // The name goes as the company file's field carries it, so that the
    // portal holds the same name whichever of the two sent it last.
    return pageCall(QStringLiteral("ModifyCompany.php"),
                    {{QStringLiteral("companyname"), PortalUploadFiles::fieldValue(mode_.companyName)},
                     {QStringLiteral("companyid"), mode_.companyId},
                     {QStringLiteral("companyserial"), session().installationID},
                     {QStringLiteral("country"), session().installationCountry}},
                    {QStringLiteral("Updating company data...."), QStringLiteral("Company modified successfully"),
                     QStringLiteral("Company modify failed - "), MsgIcon::Exclamation,
                     QStringLiteral("Company modify timed out - please try again")});
}

bool PortalSync::publishSchedule()
{
    bool found = false, showCosts = false, showPhones = false;
    {
        // The statement ends here: one left unfinished would keep every other
        // workstation from saving while the schedule goes up.
        QSqlQuery prefs = execSql(QStringLiteral("SELECT ShowCostOnPortal, ShowPhoneOnPortal FROM Preferences"));
        if (prefs.next()) {
            found = true;
            showCosts = prefs.value(0).toInt() != 0;
            showPhones = prefs.value(1).toInt() != 0;
        }
    }
    if (!found) {
        msgBox(QStringLiteral("Cannot find Preferences record"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    QString id;
    if (!companyId(id))
        return false;
    const QString serial = session().installationID;

    // Another workstation may have re-opened or deleted the schedule while the
    // company went up: it is then neither sent nor followed by the users.
    if (const QString refusal = SchedulePublishing::statusRefusal(mode_.scheduleNumber); !refusal.isEmpty()) {
        msgBox(refusal);
        return false;
    }
    info(QStringLiteral("Creating Schedule file..."));
    const QStringList lines = PortalUploadFiles::scheduleLines(mode_.scheduleNumber, id, serial,
                                                               session().installationCountry, showCosts, showPhones);
    if (lines.isEmpty()) {
        msgBox(QStringLiteral("No Schedule records found"));
        return false;
    }
    const QString remote = PortalUploadFiles::remoteName(QStringLiteral("Schedule"), id, serial);
    if (!upload(QStringLiteral("Schedule"), lines, remote, QStringLiteral("Schedule")))
        return false;
    scheduleTaken_ = pageCall(QStringLiteral("LoadSchedule.php"),
                              {{QStringLiteral("filename"), remote},
                               {QStringLiteral("companyid"), id},
                               {QStringLiteral("companyserial"), serial}},
                              {QStringLiteral("Updating Schedule data...."),
                               QStringLiteral("Schedule loaded successfully"),
                               QStringLiteral("Schedule load failed - "), MsgIcon::Exclamation,
                               QStringLiteral("Schedule load timed out - please try again")});
    return scheduleTaken_;
}

bool PortalSync::users()
{
    QString id;
    if (!companyId(id))
        return false;
    const QString serial = session().installationID;
    QStringList leftOut;
    const QStringList lines = PortalUploadFiles::usersLines(id, serial, &leftOut);
    if (!leftOut.isEmpty()) {
        msgBox(QStringLiteral("These associates have been left out of the upload, because their passwords hold \"|\", "
                              "a line break or a character the portal cannot take:\r\n")
                   + leftOut.join(QStringLiteral("\r\n"))
                   + QStringLiteral("\r\nChange their passwords and update the portal again"),
               MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (lines.isEmpty()) {
        msgBox(QStringLiteral("Cannot find Associates record"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    info(QStringLiteral("Creating Users file..."));
    const QString remote = PortalUploadFiles::remoteName(QStringLiteral("Users"), id, serial);
    if (!upload(QStringLiteral("Users"), lines, remote, QStringLiteral("Users file"), true))
        return false;
    return pageCall(QStringLiteral("LoadUsers.php"),
                    {{QStringLiteral("filename"), remote},
                     {QStringLiteral("companyid"), id},
                     {QStringLiteral("companyserial"), serial},
                     {QStringLiteral("version"), kVersion}},
                    {QStringLiteral("Updating users data...."), QStringLiteral("Users updated successfully"),
                     QStringLiteral("Users update failed - "), MsgIcon::Exclamation,
                     QStringLiteral("Users file load timed out - please try again")});
}

bool PortalSync::jobTypes()
{
    QString id;
    if (!companyId(id))
        return false;
    const QStringList lines = PortalUploadFiles::jobTypesLines(id);
    if (lines.isEmpty()) {
        msgBox(QStringLiteral("Cannot find JobTypes records"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    info(QStringLiteral("Creating Job Types file..."));
    const QString remote = PortalUploadFiles::remoteName(QStringLiteral("JobTypes"), id);
    if (!upload(QStringLiteral("JobTypes"), lines, remote, QStringLiteral("Job Types file")))
        return false;
    return pageCall(QStringLiteral("LoadJobTypes.php"),
                    {{QStringLiteral("filename"), remote}, {QStringLiteral("companyid"), id}},
                    {QStringLiteral("Updating job types data...."), QStringLiteral("Job Types updated successfully"),
                     QStringLiteral("Job Types update failed - "), MsgIcon::Exclamation,
                     QStringLiteral("Job Types file load timed out - please try again")});
}

// ---- The retrievals ----

bool PortalSync::retrieveSchedule()
{
    QString id;
    if (!companyId(id))
        return false;
    const QString serial = session().installationID;
    if (!pageCall(QStringLiteral("GetSchedule.php"),
                  {{QStringLiteral("companyid"), id}, {QStringLiteral("companyserial"), serial}},
                  {QStringLiteral("Retrieving Schedule data...."), QString(),
                   QStringLiteral("Retrieving Schedule data failed - "), MsgIcon::Exclamation,
                   QStringLiteral("Retrieving Schedule data timed out - please try again")}))
        return false;
    const QString local = QStringLiteral("ScheduleUpdate.txt");
    if (!get(PortalUploadFiles::remoteName(QStringLiteral("ScheduleUpdate"), id, serial), local,
             QStringLiteral("Schedule file download timed out - please try again"),
             QStringLiteral("Schedule file download failed - ")))
        return false;
    QByteArray data;
    if (!readLocalFile(local, QStringLiteral("Cannot open the schedule data local file"), data))
        return false;
    if (data.isEmpty()) {
        msgBox(QStringLiteral("The schedule data local file is empty"));
        return false;
    }
    QList<PortalRetrievals::ScheduleUpdate> updates;
    PortalRetrievals::BadLine bad;
    if (!PortalRetrievals::readScheduleUpdates(data, updates, bad)) {
        msgBox(QStringLiteral("Line %1 of the schedule data file cannot be read - nothing has been updated:\r\n%2")
                   .arg(bad.number)
                   .arg(replyExcerpt(bad.text)),
               MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    // The updates go only into schedules no other associate has open: the
    // window checked its own schedule before the run, but another may have
    // opened it since, and the portal's records may name another schedule
    // (one published meanwhile elsewhere). Nor do they name an associate
    // deleted or renamed meanwhile. The checks and the writes are one
    // transaction, which asks nothing: a refusal is shown once it is over.
    QList<qint64> named;
    for (const PortalRetrievals::ScheduleUpdate &u : updates)
        if (!named.contains(u.scheduleNumber))
            named << u.scheduleNumber;
    Transaction t;
    QString refusal = SchedulePublishing::updateRefusal(named, mode_.scheduleNumber, session().currentAssociateID);
    if (refusal.isEmpty())
        refusal = PortalRetrievals::doneByAssociates(updates).firstGone();
    if (!refusal.isEmpty()) {
        t.rollback();
        msgBox(refusal);
        return false;
    }
    PortalRetrievals::applyScheduleUpdates(updates);
    t.commit();
    return true;
}

bool PortalSync::importCustomerJobs()
{
    QString id;
    if (!companyId(id))
        return false;
    // The portal knows the company only by its ID: without one there is
    // nothing to ask for.
    if (id.isEmpty()) {
        msgBox(CompanyRecord::portalAccessRefusal(), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!pageCall(QStringLiteral("GetCustomerJobs.php"), {{QStringLiteral("companyid"), id}},
                  {QStringLiteral("Importing Customer Jobs data...."), QString(),
                   QStringLiteral("Importing Customer Jobs data failed - "), MsgIcon::Exclamation,
                   QStringLiteral("Importing Customer Jobs data timed out - please try again")}))
        return false;
    const QString local = QStringLiteral("CustomerJobsImport.txt");
    if (!get(PortalUploadFiles::remoteName(QStringLiteral("CustomerJobsImport"), id), local,
             QStringLiteral("Customer Jobs file download timed out - please try again"),
             QStringLiteral("Customer Jobs file download failed - ")))
        return false;
    QByteArray data;
    if (!readLocalFile(local, QStringLiteral("Cannot open the Customer Jobs data local file"), data))
        return false;
    QList<QVariantList> requests;
    PortalRetrievals::BadLine bad;
    if (!PortalRetrievals::readCustomerJobRequests(data, requests, bad)) {
        msgBox(QStringLiteral("Line %1 of the Customer Jobs data file cannot be read - nothing has been imported:\r\n%2")
                   .arg(bad.number)
                   .arg(replyExcerpt(bad.text)),
               MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (requests.isEmpty()) {
        msgBox(QStringLiteral("No new Customer Jobs found"));
        return true;
    }
    // The requests are stored and committed before the portal is asked to
    // let them go, so no other workstation waits on the portal meanwhile.
    // A request once received is kept whatever the portal answers, and its
    // number is remembered: another workstation's import, or this one's
    // next, skips it and has the portal let it go again.
    {
        Transaction t;
        PortalRetrievals::storeCustomerJobRequests(requests);
        t.commit();
    }
    customerJobsImported_ = true;
    const QString kept = QStringLiteral("\r\nThe Customer Jobs have been received and will be cleared from the portal "
                                        "at the next import");
    if (!pageCall(QStringLiteral("DeleteCustomerJobsData.php"), {{QStringLiteral("companyid"), id}},
                  {QStringLiteral("Deleting Customer Jobs data on server...."), QString(),
                   QStringLiteral("Customer Jobs data deletion failed - "), MsgIcon::Exclamation,
                   QStringLiteral("Customer Jobs data deletion timed out - please try again")},
                  kept))
        return false;
    return true;
}

// ---- Helpers ----

bool PortalSync::companyId(QString &id)
{
    const QVariant v = scalarSql(QStringLiteral("SELECT ID FROM Company"));
    if (!v.isValid()) {
        msgBox(QStringLiteral("Cannot find Company record"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    id = v.toString();
    return true;
}

QString PortalSync::localPath(const QString &name) const { return dir_->filePath(name); }

bool PortalSync::upload(const QString &stem, const QStringList &lines, const QString &remote, const QString &what,
                        bool holdsPasswords)
{
    const QString name = stem + QStringLiteral(".txt");
    if (!writeLocalFile(name, PortalUploadFiles::fileBytes(lines), holdsPasswords))
        return false;
    ftp_->startUpload(localPath(name), PortalSite::ftpDirectory() + remote);
    const bool sent = finishFtp(what + QStringLiteral(" upload timed out - please try again"),
                                what + QStringLiteral(" upload failed - "));
    if (holdsPasswords)
        QFile::remove(localPath(name));
    return sent;
}

bool PortalSync::writeLocalFile(const QString &name, const QByteArray &bytes, bool ownerOnly)
{
    const QString path = QDir::toNativeSeparators(localPath(name));
    QFile f(path);
    const bool opened = ownerOnly ? f.open(QIODevice::WriteOnly | QIODevice::Truncate,
                                           QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                                  : f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!opened) {
        const QFileInfo fi(path);
        if (fi.exists() ? !fi.isWritable() : !QFileInfo(fi.absolutePath()).isWritable())
            msgBox(QStringLiteral("Unable to open ") + path + QStringLiteral(". Please ensure that it is not in use"));
        else
            msgBox(QStringLiteral("Error %1 encountered when trying to open %2").arg(int(f.error())).arg(path),
                   MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        msgBox(QStringLiteral("Error %1 encountered when trying to write %2").arg(int(f.error())).arg(path),
               MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool PortalSync::readLocalFile(const QString &name, const QString &cannotOpen, QByteArray &bytes)
{
    QFile f(localPath(name));
    if (!f.open(QIODevice::ReadOnly)) {
        msgBox(cannotOpen);
        return false;
    }
    bytes = f.readAll();
    return true;
}

bool PortalSync::get(const QString &remoteName, const QString &localName, const QString &timeout,
                     const QString &failure)
{
    QFile::remove(localPath(localName));
    ftp_->startDownload(PortalSite::ftpDirectory() + remoteName, localPath(localName));
    return finishFtp(timeout, failure);
}

bool PortalSync::finishFtp(const QString &timeout, const QString &failure)
{
    const Options &o = options();
    if (!ftp_->waitUntilDone(o.pollIntervalMs, o.pollLimit)) {
        msgBox(timeout, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!ftp_->succeeded()) {
        msgBox(failure + replyExcerpt(ftp_->errorText()), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool PortalSync::pageCall(const QString &page, const Query &query, const PageTexts &texts, const QString &afterFailure)
{
    info(texts.updating);
    QStringList pairs;
    for (const auto &[key, value] : query)
        pairs << key + QLatin1Char('=') + PortalSite::pageValue(value);
    const QString url = PortalSite::pageBase() + page + QLatin1Char('?') + pairs.join(QLatin1Char('&'));

    // The page call blocks until its reply; it is given as long as the polled
    // wait of an FTP operation.
    const Options &o = options();
    state("Inet2", TransferState::Connecting);
    const HttpReply reply = httpGet(url, o.pollIntervalMs * (o.pollLimit + 1));
    state("Inet2", reply.error == 0 ? TransferState::Completed : TransferState::Error);
    if (reply.error == CURLE_OPERATION_TIMEDOUT) {
        msgBox(texts.timeout + afterFailure, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const QString text = QString::fromUtf8(reply.body);
    if (reply.ok && text == QLatin1String("SUCCESS")) {
        if (!texts.success.isEmpty())
            info(texts.success);
        return true;
    }
    // A page that could not be reached at all says why, as the FTP failures do.
    const QString said = text.isEmpty() && reply.error != 0 ? reply.description : text;
    msgBox(texts.failure + replyExcerpt(said) + afterFailure, MsgButtons::Ok, texts.failureIcon);
    return false;
}

void PortalSync::info(const QString &text)
{
    if (onInfo)
        onInfo(text);
}

void PortalSync::state(const char *control, int code)
{
    if (onState)
        onState(QString::fromLatin1(control) + QStringLiteral(" - ") + transferStateText(code));
}

} // namespace wvs
