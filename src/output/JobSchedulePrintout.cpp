#include "output/JobSchedulePrintout.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "data/AppDatabase.h"
#include "jobs/CustomerJobRecords.h"
#include "platform/PrintSurface.h"
#include "core/Session.h"

#include <QHash>
#include <QSqlQuery>

namespace wvs {

namespace {
constexpr int kMargin = 515;
constexpr int kCustomerWidth = 2785;
constexpr int kAddressWidth = 2700;
constexpr int kPhoneWidth = 2000;
constexpr int kJobWidth = 2900;
constexpr int kCheckBoxWidth = 250;
constexpr int kNarrowestComments = 1500;
constexpr int kTitleGap = 200;   // between the title and the company's name on its right
} // namespace

SchedulePrintSelection &schedulePrintSelection()
{
    static SchedulePrintSelection selection;
    return selection;
}

JobSchedulePrintout::JobSchedulePrintout(qint64 scheduleNumber, QString associateID, SchedulePrintSelection options)
    : JobSchedulePrintout(scheduleNumber, std::move(associateID), options, PageMedium::jobSchedulePaper())
{
}

JobSchedulePrintout::JobSchedulePrintout(qint64 scheduleNumber, QString associateID, SchedulePrintSelection options,
                                         PageMedium medium)
    : PagedPrintout(std::move(medium)), scheduleNumber_(scheduleNumber), associateID_(std::move(associateID)),
      o_(options)
{
}

QPageLayout::Orientation JobSchedulePrintout::orientation() const
{
    return o_.portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

bool JobSchedulePrintout::load()
{
    jobs_.clear();
    occurrences_.clear();
    associateNames_.clear();
    starts_.clear();

    // Each customer job of the schedule once, with everything its rows show.
    QHash<qint64, int> jobIndex;
    QSqlQuery q = execSql(QStringLiteral(
        "SELECT cj.JobSeqNo, c.Surname, c.Forename, a.SAddress1, a.SAddress2, a.SAddress3, a.SSuburb, "
        "c.Phone1, c.Phone2, c.Phone3, c.PreferredPhone, c.CustomerComment, c.CommentOnSchedule, "
        "cj.CustomerJobComment, cj.CommentOnSchedule, cj.Cost, t.JobTypeDescription "
        "FROM CustomerJobs cj "
        "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
        "JOIN CustomerServiceAddresses a ON a.CustomerNumber = cj.CustomerNumber AND a.SAddressSeqNo = cj.SAddressSeqNo "
        "JOIN JobTypes t ON t.JobTypeCode = cj.JobTypeCode "
        "WHERE cj.JobSeqNo IN (SELECT JobSeqNo FROM ScheduleJobs WHERE ScheduleNumber = ?)"),
        {scheduleNumber_});
    const QString country = session().installationCountry;
    while (q.next()) {
        Job j;
        j.customer = CustomerJobRecords::displayName(q.value(1).toString(), q.value(2).toString()).left(28);
        j.address1 = q.value(3).toString();
        j.address2 = q.value(4).toString();
        j.address3 = q.value(5).toString();
        j.suburb = q.value(6).toString();
        const int preferred = q.value(10).toInt();
        j.phone = preferred >= 1 && preferred <= 3 ? q.value(6 + preferred).toString().left(25) : QString();
        if (q.value(12).toInt() != 0)
            j.customerComment = q.value(11).toString();
        if (q.value(14).toInt() != 0)
            j.jobComment = q.value(13).toString();
        j.cost = Money::fromCents(q.value(15).toLongLong()).display(country);
        j.jobType = q.value(16).toString();
        jobIndex.insert(q.value(0).toLongLong(), int(jobs_.size()));
        jobs_ << j;
    }

    QHash<QString, int> associateIndex;   // by ID, case as the database compares
    QHash<QString, QString> names;
    q = execSql(QStringLiteral("SELECT AssociateID, AssociateName FROM Associates"));
    while (q.next())
        names.insert(q.value(0).toString().toUpper(), q.value(1).toString());

    // The occurrences in print order: by associate ID, date and stored order.
    const QString associate = QStringLiteral("CASE WHEN sj.AssociateID = '' THEN cj.AssociateID ELSE sj.AssociateID END");
    QString sql = QStringLiteral("SELECT sj.JobSeqNo, sj.ScheduleServiceDate, ") + associate +
                  QStringLiteral(" FROM ScheduleJobs sj JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
                                 "WHERE sj.ScheduleNumber = ?");
    QVariantList params{scheduleNumber_};
    if (!associateID_.isEmpty()) {
        sql += QStringLiteral(" AND ") + associate + QStringLiteral(" = ? COLLATE NOCASE");
        params << associateID_;
    }
    sql += QStringLiteral(" ORDER BY 3 COLLATE NOCASE, sj.ScheduleServiceDate, sj.ScheduleSeqNo");
    q = execSql(sql, params);
    QString lastId;
    int lastIndex = -1;
    QString lastDate;
    qint64 lastDay = 0;
    while (q.next()) {
        const auto job = jobIndex.constFind(q.value(0).toLongLong());
        if (job == jobIndex.constEnd())
            continue;
        const QString id = q.value(2).toString();
        if (lastIndex < 0 || id != lastId) {
            const QString key = id.toUpper();
            auto found = associateIndex.constFind(key);
            if (found == associateIndex.constEnd()) {
                const auto name = names.constFind(key);
                if (name == names.constEnd())
                    continue;   // an associate no longer on file
                found = associateIndex.insert(key, int(associateNames_.size()));
                associateNames_ << *name;
            }
            lastId = id;
            lastIndex = *found;
        }
        const QString date = q.value(1).toString();
        if (date != lastDate) {
            lastDate = date;
            lastDay = Formats::fromStoredDate(date).toJulianDay();
        }
        occurrences_.append({*job, lastIndex, lastDay});
    }
    if (occurrences_.isEmpty())
        return false;

    q = execSql(QStringLiteral("SELECT CompanyName, PTelephone, PEmail FROM Company"));
    if (q.next()) {
        companyName_ = q.value(0).toString();
        companyPhone_ = q.value(1).toString();
        companyEmail_ = q.value(2).toString();
    }
    footer_ = PageFooter::now();
    starts_ << PageStart{0, 0, occurrences_.first().associate, occurrences_.first().date};
    return true;
}

QString JobSchedulePrintout::associateLine() const
{
    const QDate d = QDate::fromJulianDay(currentDate_);
    return associateNames_.value(currentAssociate_) + QLatin1Char(' ') + Formats::weekdayName(d) + QLatin1Char(' ') +
           medium_.date(d, medium_.groupDate);
}

void JobSchedulePrintout::printHeader(PrintSurface &s)
{
    const PageMedium &m = medium_;
    const int W = s.Width();
    const QString title = QStringLiteral("Job Schedule");
    printTitle(s, m, title);
    // Texts too wide for their place go on over lines of their own: the company's name between the title
    // and the right margin, the others within the margins.
    const double titleEnd = W / 2 - qRound(s.TextWidth(title)) / 2 + s.TextWidth(title);
    const double width = W - 2 * kMargin;
    if (!companyName_.isEmpty()) {
        s.FontSize = m.companySize;
        s.CurrentY = 500;
        printFitted(s, companyName_, W - kMargin, qMax(W - kMargin - titleEnd - kTitleGap, width / 4), true);
    }
    QString contact;
    if (!companyPhone_.isEmpty())
        contact = QStringLiteral("Phone: ") + companyPhone_;
    if (!companyEmail_.isEmpty())
        contact += QStringLiteral("  Email: ") + companyEmail_;
    if (!contact.isEmpty()) {
        s.FontSize = m.contactSize;
        printFitted(s, contact, W - kMargin, width, true);
    }
    s.FontSize = m.groupSize;
    printFitted(s, associateLine(), kMargin, width);
    s.Line(kMargin, s.CurrentY + 200, W - kMargin, s.CurrentY + 200);

    s.FontSize = m.headingsSize;
    s.CurrentY += 200;
    s.CurrentX = kMargin;
    double x = kMargin;
    const double y = qRound(s.CurrentY);
    auto heading = [&](bool chosen, const char *text, int width) {
        if (!chosen)
            return;
        s.CurrentY = y;
        s.CurrentX = x;
        s.Print(QString::fromLatin1(text));
        x += width;
        s.CurrentX = x;
    };
    heading(o_.customerName, "Customer", kCustomerWidth);
    heading(o_.address || o_.location, "Address", kAddressWidth);
    heading(o_.phone, "Phone", kPhoneWidth);
    heading(o_.jobType || o_.cost, "Job", kJobWidth);
    heading(o_.comments, "Comments", 0);
    s.Line(kMargin, s.CurrentY + 100, W - kMargin, s.CurrentY + 100);
}

void JobSchedulePrintout::printDateLine(PrintSurface &s)
{
    s.FontSize = medium_.dateLineSize;
    s.FontBold = true;
    s.CurrentY += 100;
    printFitted(s, associateLine(), kMargin, s.Width() - 2 * kMargin);
    s.Line(kMargin, s.CurrentY + 200, s.Width() - kMargin, s.CurrentY + 200);
    s.FontSize = medium_.bodySize;
    s.FontBold = false;
    s.CurrentY += 200;
}

int JobSchedulePrintout::columnsWidth(const SchedulePrintSelection &o)
{
    return (o.customerName ? kCustomerWidth : 0) + (o.address || o.location ? kAddressWidth : 0) +
           (o.phone ? kPhoneWidth : 0) + (o.jobType || o.cost ? kJobWidth : 0);
}

int JobSchedulePrintout::requiredWidth(const SchedulePrintSelection &o)
{
    return 2 * kMargin + columnsWidth(o) + (o.comments ? kNarrowestComments : 0) + (o.checkBox ? kCheckBoxWidth : 0);
}

QVector<JobSchedulePrintout::Column> JobSchedulePrintout::columnsOf(const Job &job) const
{
    QVector<Column> columns;
    if (o_.customerName)
        columns.append({kCustomerWidth, {job.customer}});
    if (o_.address || o_.location) {
        QStringList lines;
        if (o_.address) {
            lines << job.address1;
            if (!job.address2.isEmpty()) lines << job.address2;
            if (!job.address3.isEmpty()) lines << job.address3;
        }
        if (o_.location && !job.suburb.isEmpty())
            lines << job.suburb;
        columns.append({kAddressWidth, lines});
    }
    if (o_.phone)
        columns.append({kPhoneWidth, {job.phone}});
    if (o_.jobType || o_.cost) {
        QStringList lines;
        if (o_.jobType) lines << job.jobType;
        if (o_.cost) lines << job.cost;
        columns.append({kJobWidth, lines});
    }
    return columns;
}

bool JobSchedulePrintout::drawPage(PrintSurface &s, int index)
{
    const PageMedium &m = medium_;
    const PageStart start = starts_.at(index);
    const int W = s.Width();
    const int H = s.Height();
    const int footerRule = m.footerRule(H);
    currentAssociate_ = start.associate;
    currentDate_ = start.date;

    const double commentX = kMargin + columnsWidth(o_);
    const double commentWidth = W - kMargin - commentX - (o_.checkBox ? kCheckBoxWidth : 0);
    const int n = m.commentLineLength(commentWidth);
    // Comment lines end within the column. One narrower than the print options allow (a preview canvas
    // narrower than the sheet the options measured) is taken at that narrowest width, as its line length is.
    const double commentLineWidth = qMax(commentWidth, double(kNarrowestComments));
    auto linesOf = [&](const Job &job) {
        QStringList out;
        if (!o_.comments)
            return out;
        for (const QString *c : {&job.customerComment, &job.jobComment})
            if (!c->isEmpty())
                out << wrapText(*c, n, s, commentLineWidth);
        return out;
    };

    printHeader(s);
    startRows(s, m);
    const double lineHeight = s.TextHeight();
    // The height of a date line (of the group being drawn), and of a row down to the rule under it.
    auto dateLineHeight = [&] {
        s.FontSize = m.dateLineSize;
        s.FontBold = true;
        const double height = 100 + fitToWidth(associateLine(), s, W - 2 * kMargin).size() * s.TextHeight() + 200 + 200;
        s.FontSize = m.bodySize;
        s.FontBold = false;
        return height;
    };
    auto rowHeight = [&](const QVector<Column> &columns, const QStringList &comment) {
        qsizetype lines = comment.isEmpty() ? 0 : 1;
        for (const Column &c : columns)
            lines = qMax(lines, c.lines.size());
        return qMax(lines * lineHeight, 200.0) + 100;
    };
    auto pageEnds = [&](const PageStart &next) { return endPage(s, m, footer_, index, starts_, next); };
    // The last column, with no comments after it, has nothing to stop its lines but the sheet's edge: a line
    // goes on below where it would pass the right margin, or the check box that follows the column.
    auto fitLastColumn = [&](QVector<Column> columns) {
        if (o_.comments || columns.isEmpty())
            return columns;
        double x = kMargin;
        for (qsizetype i = 0; i + 1 < columns.size(); ++i)
            x += columns.at(i).width;
        const double room = o_.checkBox ? columns.last().width : W - kMargin - x;
        QStringList lines;
        for (const QString &line : columns.last().lines)
            lines << fitToWidth(line, s, room);
        columns.last().lines = lines;
        return columns;
    };

    // Draws the comment lines of a row from `first` on at the comment column,
    // then the check box and the rule under the row. A further line is drawn
    // while the medium's reserve allows it and it fits, with the row's rule,
    // above the footer; else the page ends there and the rest goes on at the
    // top of the next. Returns false when the page ended inside the comment.
    double maxY = 0;
    auto finishRow = [&](int row, const QStringList &lines, int first, double y, double x) {
        s.CurrentY = y;
        double lastTop = y;
        if (o_.comments) {
            for (int i = first; i < lines.size(); ++i) {
                if (i > first) {
                    const double tested = m.lineTestOnLineDrawn ? lastTop : s.CurrentY;
                    if (tested > H - m.lineReserve || s.CurrentY + 300 > footerRule) {
                        pageEnds({row, i, currentAssociate_, currentDate_});
                        return false;
                    }
                }
                s.CurrentX = commentX;
                lastTop = s.CurrentY;
                s.Print(lines.at(i));
            }
            s.CurrentY = lastTop;
            maxY = qMax(maxY, s.CurrentY);
            x = commentX + commentWidth;
        }
        if (o_.checkBox)
            s.PaintPicture(shippedPicture(QStringLiteral("Checkbox.bmp")), x, s.CurrentY);
        if (s.CurrentY + 200 >= maxY)
            maxY = s.CurrentY + 200;
        s.ForeColor = Qt::black;
        s.Line(kMargin, maxY + 100, W - kMargin, maxY + 100);
        s.CurrentY = maxY + 200;
        maxY = 0;
        return true;
    };

    int row = start.row;
    bool rowsOnPage = false;
    if (start.commentLine > 0) {
        const QStringList lines = linesOf(jobs_.at(occurrences_.at(row).job));
        if (!finishRow(row, lines, start.commentLine, s.CurrentY, commentX))
            return true;
        ++row;
        rowsOnPage = true;
    }
    for (; row < occurrences_.size(); ++row) {
        const Occurrence &o = occurrences_.at(row);
        s.ForeColor = Qt::black;
        if (o.associate != currentAssociate_)
            return pageEnds({row, 0, o.associate, o.date});
        const Job &job = jobs_.at(o.job);
        const QStringList comment = linesOf(job);
        const QVector<Column> columns = fitLastColumn(columnsOf(job));
        const double height = rowHeight(columns, comment);
        if (o.date != currentDate_) {
            currentDate_ = o.date;
            // A date line with no room for its first row under it begins the next page instead.
            if (o_.breakOnDate || s.CurrentY > H - m.dateLineReserve ||
                s.CurrentY + dateLineHeight() + height > footerRule)
                return pageEnds({row, 0, o.associate, o.date});
            printDateLine(s);
        }
        // A row that would run across the footer begins the next page.
        if (s.CurrentY > H - m.rowReserve || (rowsOnPage && s.CurrentY + height > footerRule))
            return pageEnds({row, 0, o.associate, o.date});

        const double y = qRound(s.CurrentY);
        double x = kMargin;
        for (const Column &c : columns) {
            s.CurrentY = y;
            for (const QString &line : c.lines) {
                s.CurrentX = x;
                s.Print(line);
            }
            // Every column's lines count, so the rule under the row never crosses them.
            maxY = qMax(maxY, s.CurrentY);
            x += c.width;
        }
        rowsOnPage = true;
        if (!finishRow(row, comment, 0, y, x))
            return true;
    }
    footer_.draw(s, m, index + 1);
    return false;
}

void PrintWorkvane(qint64 scheduleNumber, const QString &associateID, QWidget *parent)
{
    JobSchedulePrintout printout(scheduleNumber, associateID, schedulePrintSelection());
    PagedPrintout::printAll(printout, parent);
}

} // namespace wvs
