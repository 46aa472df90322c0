#include "customers/AddressPaging.h"

#include <gtest/gtest.h>

using namespace wvs;

namespace {

AddressFields fields(const QString &line1, const QString &suburb = "Remuera")
{
    return {.sAddress1 = line1, .sSuburb = suburb};
}

ServiceAddress stored(qint64 seq, const QString &line1)
{
    return {.sAddress1 = line1, .sSuburb = "Epsom", .sCity = "Auckland", .seqNo = seq};
}

} // namespace

TEST(AddressPaging, NewEntryAddsAddressesAndDropsABlankOneOnPrevious)
{
    AddressPaging p;
    p.start({}, false);
    EXPECT_FALSE(p.previousEnabled());

    // The lone first address must have a first line (spaces count as empty) and a suburb.
    auto step = p.next(fields(QStringLiteral("   ")));
    EXPECT_FALSE(step.moved);
    EXPECT_EQ(step.message, "Please enter the 1st line of the Customer's service address");
    EXPECT_EQ(step.focus, AddressPaging::Focus::SAddress1);
    step = p.next(fields(QStringLiteral("1 Main Rd"), QStringLiteral("  ")));
    EXPECT_EQ(step.message, "Please enter the Customer's service suburb");
    EXPECT_EQ(step.focus, AddressPaging::Focus::SSuburb);
    EXPECT_TRUE(p.next(fields(QStringLiteral("1 Main Rd"))).moved);
    EXPECT_EQ(p.shown(), AddressFields{});

    // Previous from the blank new address drops it.
    p.previous(AddressFields{});
    EXPECT_EQ(p.addresses().size(), 1);
    EXPECT_EQ(p.shown().sAddress1, "1 Main Rd");

    // A new address past the end is checked like the first, then appended;
    // Previous from a filled new address keeps it.
    p.next(p.shown());
    EXPECT_FALSE(p.next(fields(QString())).moved);
    EXPECT_TRUE(p.next(fields(QStringLiteral("2 Side St"))).moved);
    p.previous(fields(QStringLiteral("3 Back Lane")));
    EXPECT_EQ(p.index(), 1);
    EXPECT_EQ(p.shown().sAddress1, "2 Side St");
    ASSERT_EQ(p.addresses().size(), 3);
    EXPECT_EQ(p.addresses()[2].seqNo, 0);
}

TEST(AddressPaging, StoredAddressesPageWithoutChecksAndKeepTheirKeys)
{
    AddressPaging p;
    p.start({stored(11, "A St"), stored(12, "B St"), stored(13, "C St")}, false);

    // An existing address of a longer list may be blanked and paged past: it is
    // then marked for removal, its key kept.
    EXPECT_TRUE(p.next(fields(QString(), QString())).moved);
    EXPECT_EQ(p.addresses()[0].sAddress1, "");
    EXPECT_EQ(p.addresses()[0].seqNo, 11);
    p.next(p.shown());
    p.next(p.shown());
    EXPECT_TRUE(p.showingNew());

    // Previous with an emptied first line keeps what the list held.
    p.previous(AddressFields{});
    AddressFields changed = p.shown();
    changed.sAddress1.clear();
    changed.sSuburb = QStringLiteral("Changed");
    p.previous(changed);
    EXPECT_EQ(p.addresses()[2].sAddress1, "C St");
    EXPECT_EQ(p.addresses()[2].sSuburb, "Epsom");

    // Previous with a first line stores the changes.
    changed = p.shown();
    changed.sPostCode = QStringLiteral("1050");
    p.previous(changed);
    EXPECT_EQ(p.addresses()[1].sPostCode, "1050");
    EXPECT_FALSE(p.previousEnabled());

    // In view mode paging stops at the last address.
    AddressPaging two;
    two.start({stored(1, "A"), stored(2, "B")}, true);
    EXPECT_TRUE(two.next(two.shown()).moved);
    EXPECT_FALSE(two.next(two.shown()).moved);
    EXPECT_EQ(two.index(), 1);
}
