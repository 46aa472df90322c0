#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wvs {

// The text files the program puts on the web portal. One record a line,
// fields separated by "|", every line ended by CR LF. A value never carries
// a line break of any kind or "|" (each becomes a blank), nor another control
// character (dropped), so no value can add a field or a line.
namespace PortalUploadFiles {

// A value as it is written into a field.
QString fieldValue(const QString &value);
// One line: the fields, "|" between them, then CR LF.
QString line(const QStringList &fields);
// The closing flag of a schedule or users line: " 1 " or " 0 ".
QString flagNumber(bool on);
// The lines as the file's bytes, in the Windows-1252 code page the portal
// reads ("?" for a character the code page lacks).
QByteArray fileBytes(const QStringList &lines);

// "<stem>_<company ID>_<serial>.txt", or "<stem>_<company ID>.txt" without a serial.
QString remoteName(const QString &stem, const QString &companyId, const QString &serial = QString());

// The company line: ID, serial, name, country.
QString companyLine(const QString &companyId, const QString &serial, const QString &name, const QString &country);

// One line for each stored job of the schedule whose customer job is assigned
// to an existing associate, ordered by the associate who did it (jobs not
// done first), the planned date and the order within the schedule.
QStringList scheduleLines(qint64 scheduleNumber, const QString &companyId, const QString &serial,
                          const QString &country, bool showCosts, bool showPhones);

// One line for each active associate with portal access. A password is
// never sent altered: an associate whose stored password holds "|", a line
// break or a character the code page lacks is left out and named
// ("Name (ID)") in leftOut.
QStringList usersLines(const QString &companyId, const QString &serial, QStringList *leftOut = nullptr);

// One line for each job type.
QStringList jobTypesLines(const QString &companyId);

} // namespace PortalUploadFiles
} // namespace wvs
