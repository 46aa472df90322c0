#!/usr/bin/python3
"""Writes recurrence_fixtures.txt: customer jobs with the dates they must yield
in a schedule's period, computed with dateutil's rrule rather than by the
program's own arithmetic. The output is committed; the C++ tests need no Python.
end '-': no end date; remaining 0: no limit; dates ascending, space-separated.
"""

import datetime as dt
import os
import random

from dateutil.rrule import DAILY, WEEKLY, MONTHLY, YEARLY, rrule, MO, TU, WE, TH, FR, SA, SU

WEEKDAYS = [MO, TU, WE, TH, FR, SA, SU]  # Monday 1 .. Sunday 7


def day(s):
    return dt.datetime.strptime(s, "%Y-%m-%d")


def iso(d):
    return d.strftime("%Y-%m-%d")


def mask_days(mask):
    """Weekdays named by a weekly mask, taken apart greedily from the top."""
    days = []
    for bit, wd in ((64, SU), (32, SA), (16, FR), (8, TH), (4, WE), (2, TU)):
        if mask > bit - 1:
            days.append(wd)
            mask -= bit
    if mask > 0:
        days.append(MO)
    return days


def nth(n, w):
    return WEEKDAYS[w - 1](-1 if n == 5 else n)


def every_m_months_from_first(kw, m, start, until):
    """The rule's dates every m months, counted from its first date on or after start."""
    first = next(iter(rrule(dtstart=start, until=until, **kw)), None)
    return [] if first is None else list(rrule(interval=m, dtstart=first, until=until, **kw))


def monthday_kwargs(d):
    # Day d of the month, or the month's last day when it is shorter.
    if d <= 28:
        return dict(bymonthday=d)
    return dict(bymonthday=tuple(range(28, min(d, 31) + 1)), bysetpos=-1)


def series(code, start, until):
    """All dates of the code from start up to until (inclusive)."""
    if 1 <= code <= 365:
        return list(rrule(DAILY, interval=code, dtstart=start, until=until))
    if 366 <= code <= 999:
        return list(rrule(DAILY, byweekday=(MO, TU, WE, TH, FR), dtstart=start, until=until))
    if 100000 < code < 200000:
        k, mask = code // 1000 - 100, code % 1000
        days = mask_days(mask)
        if k <= 0 or not days:
            return []
        # Weeks that begin on the start date's weekday: each week is one block.
        return list(rrule(WEEKLY, interval=k, byweekday=days, wkst=start.weekday(),
                          dtstart=start, until=until))
    if 10000 < code < 19000:
        d, m = code // 100 - 100, code % 100
        if d <= 0 or m <= 0:
            return []
        return every_m_months_from_first(dict(freq=MONTHLY, **monthday_kwargs(d)), m, start, until)
    if 19000 < code < 20000:
        m = code - 19900
        if m <= 0:
            return []
        return list(rrule(MONTHLY, interval=m, bymonthday=-1, dtstart=start, until=until))
    if 20000 < code < 30000:
        n, w, m = code // 1000 - 20, (code // 100) % 10, code % 100
        if not (1 <= n <= 5 and 1 <= w <= 7) or m <= 0:
            return []
        return every_m_months_from_first(dict(freq=MONTHLY, byweekday=nth(n, w)), m, start, until)
    if 30000 < code < 40000:
        q, d = code // 100 - 300, code % 100
        if not (1 <= q <= 12) or not (1 <= d <= 31):
            return []
        # rrule yields only real dates: 29 February in leap years, never 31 April.
        return list(rrule(YEARLY, bymonth=q, bymonthday=d, dtstart=start, until=until))
    if 40000 < code < 50000:
        n, w, q = code // 1000 - 40, (code // 100) % 10, code % 100
        if not (1 <= n <= 5 and 1 <= w <= 7 and 1 <= q <= 12):
            return []
        return list(rrule(YEARLY, bymonth=q, byweekday=nth(n, w), dtstart=start, until=until))
    return []


def expected(start, end, code, remaining, frm, to):
    until = to if end is None else min(end, to)
    dates = [d for d in series(code, start, until) if frm <= d <= to]
    if remaining > 0:
        dates = dates[:remaining]
    return dates


CASES = []


def case(label, start, end, code, remaining, frm, to):
    CASES.append((label, day(start), None if end in (None, "-") else day(end), code, remaining, day(frm), day(to)))


def hand_picked():
    # Month ends: day 29, 30, 31 in short months, leap and common years.
    for code in (12901, 13001, 13101, 13102, 12912):
        case("month-end", "2023-11-15", None, code, 0, "2024-01-01", "2025-12-31")
    case("day31-april", "2024-01-31", None, 13101, 0, "2025-04-01", "2025-04-30")
    case("day31-feb-leap", "2023-05-31", None, 13101, 0, "2024-02-01", "2024-02-29")
    case("day31-feb-common", "2023-05-31", None, 13101, 0, "2025-02-01", "2025-02-28")
    case("day15-start-after", "2025-01-20", None, 11503, 0, "2025-01-01", "2025-12-31")
    case("day-above-31", "2025-01-01", None, 14501, 0, "2025-01-01", "2025-06-30")
    case("lastday-2m-jan31", "2025-01-31", None, 19902, 0, "2025-01-01", "2025-12-31")
    case("lastday-april", "2025-04-30", None, 19901, 0, "2025-04-01", "2025-07-31")
    case("lastday-99m", "2000-03-10", None, 19999, 0, "2000-01-01", "2030-12-31")
    # Fifth (last) weekday.
    for code in (25101, 25701, 25503, 21101, 24301):
        case("nth-weekday", "2024-01-01", None, code, 0, "2024-01-01", "2025-01-31")
    case("last-monday-start-after", "2024-09-30", None, 25102, 0, "2024-09-01", "2025-09-30")
    case("first-monday-start-after", "2024-09-03", None, 21103, 0, "2024-09-01", "2025-09-30")
    # Leap years.
    case("feb29-yearly", "2019-06-01", None, 30229, 0, "2019-01-01", "2033-12-31")
    case("feb29-daily", "2024-02-20", None, 1, 0, "2024-02-25", "2024-03-03")
    case("feb29-weekly", "2024-02-01", None, 101016, 0, "2024-02-01", "2024-03-31")
    # A period across a year end.
    for code in (1, 7, 399, 101017, 101127, 11501, 13101, 19901, 21101, 25701,
                 30101, 31231, 41101, 45712, 41301):
        case("year-end", "2024-03-05", None, code, 0, "2024-12-15", "2025-01-15")
    # Start dates far before the period.
    for code in (1, 3, 13, 364, 399, 101001, 103042, 152127, 10712, 13107, 19905,
                 23411, 25112, 30704, 31231, 44606, 45112):
        case("far-start", "1987-04-13", None, code, 0, "2026-03-01", "2027-02-28")
    # The occurrence limit.
    case("limit-every7", "2025-01-06", None, 7, 3, "2025-02-01", "2025-03-31")
    case("limit-weekday", "2025-01-01", None, 399, 5, "2025-01-03", "2025-02-28")
    case("limit-inside-block", "2025-01-01", None, 101017, 1, "2025-01-06", "2025-01-31")
    case("limit-inside-block2", "2025-01-01", None, 102017, 3, "2025-01-01", "2025-03-31")
    case("limit-monthly", "2024-01-31", None, 13101, 4, "2024-01-01", "2024-12-31")
    case("limit-yearly", "2001-01-01", None, 30315, 2, "2001-01-01", "2010-12-31")
    case("limit-one", "2025-05-05", None, 21201, 1, "2025-01-01", "2025-12-31")
    # Weekly blocks that began before the period.
    case("block-before-period", "2025-01-01", None, 101017, 0, "2025-01-06", "2025-01-12")
    case("block-before-period-2w", "2025-01-01", None, 102127, 0, "2025-01-10", "2025-02-10")
    # Yearly weekday in a month that is neither the period's first nor last.
    case("yearly-weekday-mid", "2020-01-01", None, 41102, 0, "2025-01-01", "2025-03-31")
    case("yearly-date-mid", "2020-01-01", None, 30214, 0, "2025-01-01", "2025-03-31")
    case("yearly-start-after-date", "2025-07-01", None, 30615, 0, "2025-01-01", "2027-12-31")
    case("yearly-weekday-start-after", "2025-03-20", None, 42603, 0, "2025-01-01", "2027-12-31")
    # End dates.
    case("end-inside", "2025-01-01", "2025-03-14", 101031, 0, "2025-01-01", "2025-06-30")
    case("end-before-start", "2025-03-01", "2025-02-01", 1, 0, "2025-01-01", "2025-06-30")
    case("end-equals-start", "2025-03-03", "2025-03-03", 101001, 0, "2025-01-01", "2025-06-30")
    case("end-before-period", "2020-03-01", "2024-12-31", 7, 0, "2025-01-01", "2025-06-30")
    case("start-after-period", "2026-01-01", None, 1, 0, "2025-01-01", "2025-06-30")
    case("single-day-period", "2025-01-01", None, 399, 0, "2025-01-06", "2025-01-06")
    case("single-day-weekend", "2025-01-01", None, 399, 0, "2025-01-04", "2025-01-04")
    # Codes the dialog never writes but that carry dates.
    case("mask-greedy-999", "2025-01-01", None, 101999, 0, "2025-01-01", "2025-01-31")
    case("mask-greedy-200", "2025-01-01", None, 101200, 0, "2025-01-01", "2025-01-31")
    case("weeks-99", "1990-01-01", None, 199001, 0, "2025-01-01", "2026-12-31")
    case("months-99", "1990-01-15", None, 11599, 0, "2025-01-01", "2026-12-31")
    # Codes that denote no date at all.
    for code in (0, -5, 1000, 10000, 19000, 20000, 30000, 40000, 50000, 100000, 200000, 2147483647,
                 101000, 100001, 10100, 10001, 19900, 19850, 19001, 20101, 21801, 20102, 30231,
                 30431, 31301, 30001, 41113, 41800, 40001, 46101):
        case("no-dates", "2024-01-01", None, code, 0, "2024-01-01", "2025-12-31")


def random_code(r):
    kind = r.randrange(8)
    if kind == 0:
        return r.choice([1, 2, 3, 7, 10, 14, 28, 30, 45, 90, 180, 365, r.randint(1, 365)])
    if kind == 1:
        return r.choice([366, 399, 999])
    if kind == 2:
        return 100000 + r.randint(1, 52 if r.random() < 0.9 else 99) * 1000 + r.randint(1, 127)
    if kind == 3:
        return 10000 + r.randint(1, 31) * 100 + r.randint(1, 12)
    if kind == 4:
        return 19900 + r.randint(1, 12)
    if kind == 5:
        return 20000 + r.randint(1, 5) * 1000 + r.randint(1, 7) * 100 + r.randint(1, 12)
    if kind == 6:
        q = r.randint(1, 12)
        return 30000 + q * 100 + r.randint(1, [31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][q - 1])
    return 40000 + r.randint(1, 5) * 1000 + r.randint(1, 7) * 100 + r.randint(1, 12)


def random_cases(r, count):
    base = dt.date(2000, 1, 1)
    for i in range(count):
        code = random_code(r)
        frm = base + dt.timedelta(days=r.randint(0, 365 * 30))
        length = r.choice([0, 6, 13, 27, 30, 59, 90, 180, 364, 365, r.randint(0, 366), r.randint(0, 900)])
        to = frm + dt.timedelta(days=length)
        start = frm + dt.timedelta(days=r.randint(-365 * 15, length + 30))
        end = None
        if r.random() < 0.35:
            # Mostly an end inside or near the period, sometimes before the start.
            end = max(start, frm) + dt.timedelta(days=r.randint(-20, length + 40))
        remaining = 0 if r.random() < 0.7 else r.randint(1, 12)
        case("random-%d" % i, iso(start), iso(end) if end else None, code, remaining, iso(frm), iso(to))


def main():
    hand_picked()
    random_cases(random.Random(20240615), 1200)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "recurrence_fixtures.txt")
    with open(out, "w", newline="\n") as f:
        f.write("# Generated by make_recurrence_fixtures.py from dateutil.rrule; do not edit by hand.\n")
        f.write("# label;start;end;code;remaining;from;to;dates\n")
        for label, start, end, code, remaining, frm, to in CASES:
            dates = expected(start, end, code, remaining, frm, to)
            f.write(";".join([label, iso(start), iso(end) if end else "-", str(code), str(remaining),
                              iso(frm), iso(to), " ".join(iso(d) for d in dates)]) + "\n")
    print("%d cases written to %s" % (len(CASES), out))


if __name__ == "__main__":
    main()
