#include "PortalTestData.h"
#include "common/Windows1252.h"
#include "portal/PortalRetrievals.h"
#include "portal/PortalUploadFiles.h"
#include "support/ControlCharacters.h"

using namespace wvs;
using namespace wvs::portaltest;

// What the portal's files carry in and out meets the rule of every box: a
// line break of any kind is a blank on one line (and a line of a comment),
// other control characters are dropped.
TEST(PortalControlCharacters, EveryCharacterOfTheTableCrossesThePortalsFilesByTheOneRule)
{
    for (const test::ControlRow &row : test::controlRows()) {
        SCOPED_TRACE(row.name);
        const QString value = test::withControl(row);

        // Out: a field of an upload line is one line; a tab stays as the
        // files have always kept it, and "|" never adds a field.
        const QString tabKept = row.character == "\t" ? QString("AB\tCD") : row.oneLine;
        EXPECT_EQ(PortalUploadFiles::fieldValue(value), tabKept);
        EXPECT_EQ(PortalUploadFiles::line({value, "x|y"}), tabKept + "|x y\r\n");

        // In: only what the code page writes as one byte inside a line can
        // come in from a file at all.
        const QByteArray bytes = Windows1252::encode(value);
        if (Windows1252::decode(bytes) != value || bytes.contains('\r') || bytes.contains('\n'))
            continue;
        QList<QByteArray> f = requestLine(601).split('|');
        f[5] = bytes;   // the surname, a one-line field
        f[18] = bytes;  // the customer's comments
        f[51] = bytes;  // the job's comments
        QList<QVariantList> requests;
        PortalRetrievals::BadLine bad;
        ASSERT_TRUE(PortalRetrievals::readCustomerJobRequests(f.join('|') + "\r\n", requests, bad));
        ASSERT_EQ(requests.size(), 1);
        EXPECT_EQ(requests[0][5].toString(), row.oneLine);
        EXPECT_EQ(requests[0][18].toString(), row.comment);
        EXPECT_EQ(requests[0][51].toString(), row.comment);

        QList<PortalRetrievals::ScheduleUpdate> updates;
        const QByteArray update = "7,2031/06/01,9,1,2031/06/02,BOB" + bytes + ",\"" + bytes + "\"\r\n";
        ASSERT_TRUE(PortalRetrievals::readScheduleUpdates(update, updates, bad));
        ASSERT_EQ(updates.size(), 1);
        EXPECT_EQ(updates[0].note, row.comment);
        EXPECT_EQ(updates[0].doneBy, "BOB" + row.oneLine);
    }
}
