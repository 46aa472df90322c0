#pragma once
#include "customers/CustomerRecord.h"

#include <QString>
#include <QVector>

namespace wvs {

// The six service-address boxes of the customer dialog as the user sees them.
struct AddressFields {
    QString sAddress1, sAddress2, sAddress3, sSuburb, sCity, sPostCode;
    bool operator==(const AddressFields &) const = default;
};

// The customer dialog's working list of service addresses and which of them
// the address boxes show. The list always holds at least one address; the
// shown position may be one past its end, which is a new blank address not
// yet in the list (reachable only while editing). The dialog hands in what
// its boxes hold and shows what comes back.
class AddressPaging {
public:
    enum class Focus { None, SAddress1, SSuburb };

    // Outcome of a page step: the message shown when the step was refused.
    struct Step {
        bool moved = false;
        QString message;
        Focus focus = Focus::None;
    };

    // Starts on the first of the given addresses (one empty address when there
    // are none). In view mode nothing past the list can be reached.
    void start(QVector<ServiceAddress> addresses, bool viewMode);
    // One empty address, the first shown: a new entry.
    void reset();

    // Stores the shown boxes into the list at the shown position, appending a
    // new address when the position is past the end; the key is kept.
    void store(const AddressFields &shown);

    // Next: a lone first address or a new one past the end must have a first
    // line and a suburb; the shown boxes are stored and the next address (or a
    // new blank one) is shown.
    Step next(const AddressFields &shown);
    // Previous: the shown boxes are stored only when their first line is not
    // empty, so a blank new address is dropped and an emptied one keeps what
    // the list held.
    Step previous(const AddressFields &shown);

    // What the address boxes show now (empty boxes for a new blank address).
    AddressFields shown() const;
    int index() const { return index_; }
    int lastIndex() const { return int(list_.size()) - 1; }
    bool showingNew() const { return index_ > lastIndex(); }
    bool previousEnabled() const { return index_ > 0; }
    bool nextEnabled() const { return viewMode_ ? index_ < lastIndex() : true; }
    const QVector<ServiceAddress> &addresses() const { return list_; }

    static AddressFields fieldsOf(const ServiceAddress &a);

private:
    QVector<ServiceAddress> list_{ServiceAddress{}};
    int index_ = 0;
    bool viewMode_ = false;
};

} // namespace wvs
