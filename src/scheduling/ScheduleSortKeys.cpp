#include "scheduling/ScheduleSortKeys.h"

#include <QHash>
#include <algorithm>
#include <numeric>
#include <vector>

namespace wvs::ScheduleSortKeys {

namespace {

enum class Field { None, AsRequired, Associate, ServiceDate, Customer, Address, Location, Phone, JobType, Cost, Comments, Done };

struct Key {
    const char *caption;
    Field field;
};

constexpr Key kKeys[] = {
    {"As Required", Field::AsRequired}, {"Associate", Field::Associate}, {"Service Date", Field::ServiceDate},
    {"Customer", Field::Customer},      {"Service Address", Field::Address}, {"Location", Field::Location},
    {"Phone", Field::Phone},            {"Job Type", Field::JobType},     {"Cost", Field::Cost},
    {"Notes", Field::Comments},         {"Done", Field::Done},
};

Field fieldFor(const QString &caption)
{
    for (const Key &k : kKeys)
        if (caption == QLatin1String(k.caption))
            return k.field;
    return Field::None;
}

const QString *textOf(const StagedJob &j, Field f)
{
    switch (f) {
    case Field::Associate: return &j.associate;
    case Field::Customer: return &j.customer;
    case Field::Address: return &j.address;
    case Field::Location: return &j.location;
    case Field::Phone: return &j.phone;
    case Field::JobType: return &j.jobType;
    case Field::Comments: return &j.comments;
    default: return nullptr;
    }
}

// Text compares as the staging table's columns do: A to Z fold to a to z,
// everything else by its code.
int compareNoCase(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = pa[i].unicode();
        char16_t cb = pb[i].unicode();
        if (ca >= u'A' && ca <= u'Z')
            ca += 32;
        if (cb >= u'A' && cb <= u'Z')
            cb += 32;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Ranks 0 .. count - 1, one per row, that order the rows on the field.
struct Ranks {
    std::vector<int> rank;
    int count = 0;
};

// Whole-number values made into ranks: their offset from the least when the
// range is small (dates, amounts), else their place among the distinct values.
Ranks ranksOfValues(const std::vector<qint64> &values)
{
    Ranks out;
    out.rank.resize(values.size());
    if (values.empty())
        return out;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const qint64 least = *lo;
    if (quint64(*hi - least) < quint64(4 * values.size() + 1024)) {
        out.count = int(*hi - least) + 1;
        for (size_t i = 0; i < values.size(); ++i)
            out.rank[i] = int(values[i] - least);
        return out;
    }
    std::vector<qint64> distinct(values);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    out.count = int(distinct.size());
    for (size_t i = 0; i < values.size(); ++i)
        out.rank[i] = int(std::lower_bound(distinct.begin(), distinct.end(), values[i]) - distinct.begin());
    return out;
}

// The rows of a job share their texts, so each distinct text is ranked once.
Ranks ranksOfTexts(const QList<StagedJob> &rows, Field f)
{
    Ranks out;
    out.rank.resize(size_t(rows.size()));
    // Keyed first by the text's storage, which the rows of one job share;
    // equal texts stored apart are merged when ranked.
    QHash<QPair<const QChar *, qsizetype>, int> slot;
    std::vector<const QString *> distinct;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString *t = textOf(rows.at(i), f);
        auto it = slot.constFind({t->constData(), t->size()});
        if (it == slot.constEnd()) {
            it = slot.insert({t->constData(), t->size()}, int(distinct.size()));
            distinct.push_back(t);
        }
        out.rank[size_t(i)] = it.value();
    }
    std::vector<int> byText(distinct.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(),
              [&](int a, int b) { return compareNoCase(*distinct[size_t(a)], *distinct[size_t(b)]) < 0; });
    std::vector<int> rankOfSlot(distinct.size());
    int rank = 0;
    for (size_t k = 0; k < byText.size(); ++k) {
        if (k > 0 && compareNoCase(*distinct[size_t(byText[k - 1])], *distinct[size_t(byText[k])]) != 0)
            ++rank;
        rankOfSlot[size_t(byText[k])] = rank;
    }
    out.count = distinct.empty() ? 0 : rank + 1;
    for (int &r : out.rank)
        r = rankOfSlot[size_t(r)];
    return out;
}

Ranks ranks(const QList<StagedJob> &rows, Field f, bool descending)
{
    Ranks out;
    if (rows.isEmpty())
        return out;
    if (textOf(rows.first(), f)) {
        out = ranksOfTexts(rows, f);
    } else {
        std::vector<qint64> values(size_t(rows.size()));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const StagedJob &j = rows.at(i);
            qint64 v = 0;
            switch (f) {
            case Field::AsRequired: v = j.asRequired ? -1 : 0; break;
            case Field::ServiceDate: v = j.serviceDate.isValid() ? j.serviceDate.toJulianDay() : 0; break;
            case Field::Cost: v = j.cost.cents(); break;
            case Field::Done: v = j.done; break;
            default: break;
            }
            values[size_t(i)] = v;
        }
        out = ranksOfValues(values);
    }
    if (descending)
        for (int &r : out.rank)
            r = out.count - 1 - r;
    return out;
}

// Re-orders the positions by their rank, keeping the order of equal ranks
// (a counting sort: the ranks are few and dense).
void stableSortBy(QList<int> &positions, const Ranks &key)
{
    std::vector<int> start(size_t(key.count) + 1, 0);
    for (int p : std::as_const(positions))
        ++start[size_t(key.rank[size_t(p)]) + 1];
    for (size_t k = 1; k < start.size(); ++k)
        start[k] += start[k - 1];
    QList<int> sorted(positions.size());
    for (int p : std::as_const(positions))
        sorted[start[size_t(key.rank[size_t(p)])]++] = p;
    positions = std::move(sorted);
}

bool descending(const QString &order) { return order == QLatin1String("Descending"); }

} // namespace

QStringList captions()
{
    QStringList out;
    for (const Key &k : kKeys)
        out << QString::fromLatin1(k.caption);
    return out;
}

QList<int> order(const QList<StagedJob> &rows, const Choice &choice)
{
    QList<int> out(rows.size());
    std::iota(out.begin(), out.end(), 0);
    const Field first = fieldFor(choice.key1);
    if (first == Field::None)
        return out;
    // Staging order, then the second key, then the first: each pass keeps the
    // order of the one before among its equal rows.
    const Field second = fieldFor(choice.key2);
    if (second != Field::None && second != first)
        stableSortBy(out, ranks(rows, second, descending(choice.order2)));
    stableSortBy(out, ranks(rows, first, descending(choice.order1)));
    return out;
}

} // namespace wvs::ScheduleSortKeys
