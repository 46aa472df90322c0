#include "customers/AddressPaging.h"

namespace wvs {

namespace {
QString withoutLeadingSpaces(const QString &s)
{
    int i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}
} // namespace

AddressFields AddressPaging::fieldsOf(const ServiceAddress &a)
{
    return {a.sAddress1, a.sAddress2, a.sAddress3, a.sSuburb, a.sCity, a.sPostCode};
}

void AddressPaging::start(QVector<ServiceAddress> addresses, bool viewMode)
{
    list_ = std::move(addresses);
    if (list_.isEmpty())
        list_.append(ServiceAddress{});
    index_ = 0;
    viewMode_ = viewMode;
}

void AddressPaging::reset()
{
    list_ = {ServiceAddress{}};
    index_ = 0;
}

void AddressPaging::store(const AddressFields &shown)
{
    if (index_ > lastIndex()) {
        list_.append(ServiceAddress{});
        index_ = lastIndex();
    }
    ServiceAddress &a = list_[index_];
    a.sAddress1 = shown.sAddress1;
    a.sAddress2 = shown.sAddress2;
    a.sAddress3 = shown.sAddress3;
    a.sSuburb = shown.sSuburb;
    a.sCity = shown.sCity;
    a.sPostCode = shown.sPostCode;
}

AddressPaging::Step AddressPaging::next(const AddressFields &shown)
{
    Step step;
    if (viewMode_ && index_ >= lastIndex())
        return step;
    const bool loneFirst = index_ == 0 && lastIndex() == 0;
    if (loneFirst || showingNew()) {
        if (withoutLeadingSpaces(shown.sAddress1).isEmpty()) {
            step.message = QStringLiteral("Please enter the 1st line of the Customer's service address");
            step.focus = Focus::SAddress1;
            return step;
        }
        if (withoutLeadingSpaces(shown.sSuburb).isEmpty()) {
            step.message = QStringLiteral("Please enter the Customer's service suburb");
            step.focus = Focus::SSuburb;
            return step;
        }
    }
    store(shown);
    ++index_;
    step.moved = true;
    step.focus = Focus::SAddress1;
    return step;
}

AddressPaging::Step AddressPaging::previous(const AddressFields &shown)
{
    Step step;
    if (index_ == 0)
        return step;
    const int from = index_;
    if (!shown.sAddress1.isEmpty())
        store(shown);
    index_ = from - 1;
    step.moved = true;
    return step;
}

AddressFields AddressPaging::shown() const
{
    if (showingNew())
        return {};
    return fieldsOf(list_[index_]);
}

} // namespace wvs
