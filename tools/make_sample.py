#!/usr/bin/env python3
"""Writes the shipped sample ledger: a year of a small bakery, ベーカリー麦の穂.

    tools/make_sample.py data/sample.exv

One fiscal year from April 2024 to March 2025 in three books: the cash book 現金出納帳
(the day's takings, purchases paid in cash, the takings banked every week, the petty cash
topped up each month), the petty-cash book 店舗小口 (small shop expenses) and the bank book
みどり銀行 (rent, wages, utilities, card takings, suppliers paid by transfer). About 600
records. The same seed gives the same file, byte for byte: the file is the ledger format of
the program (CP932, CR LF), its records in date order with the running balance of their own
book, the registry of the petty-cash and bank books, the twelve monthly periods and the
settings line. Run it again after changing the shop below; the tests that need fixed
figures read tests/fixtures/ledger, never this file.
"""
import datetime
import random
import sys

YEAR = 2024  # the fiscal year starts in April of this year
CASH = ("現金", "現金出納帳")
PETTY = ("小口", "店舗小口")
BANK = ("預金", "みどり銀行")
OPENING = {CASH: 180000, PETTY: 30000, BANK: 1250000}


def days_of(month_start):
    day = month_start
    while day.month == month_start.month:
        yield day
        day += datetime.timedelta(days=1)


def month_starts():
    for n in range(12):
        month = (3 + n) % 12 + 1
        year = YEAR if month >= 4 else YEAR + 1
        yield datetime.date(year, month, 1)


def yen(rng, low, high, step):
    return rng.randrange(low // step, high // step + 1) * step


def records_of_month(rng, start):
    """(date, book, title, description, income, expense, other book) of one month."""
    out = []
    open_days = [d for d in days_of(start) if d.weekday() != 0]  # closed on Mondays
    for day in rng.sample(open_days[1:], 2):  # and two more days a month
        open_days.remove(day)
    for day in open_days:
        weekend = day.weekday() >= 5
        out.append((day, CASH, "売上", "店頭売上", yen(rng, 32000 if weekend else 18000,
                                                    56000 if weekend else 36000, 100), 0, CASH))
    for day in sorted(rng.sample(open_days, 3)):
        item = rng.choice(["小麦粉・ライ麦粉", "バター・生クリーム", "卵・牛乳", "季節の果物"])
        out.append((day, CASH, "仕入", item, 0, yen(rng, 8000, 36000, 10), CASH))
    for day in sorted(rng.sample(open_days, 2)):
        item = rng.choice(["包装紙・紙袋", "パン用トレー", "洗剤・ゴミ袋"])
        out.append((day, CASH, "消耗品費", item, 0, yen(rng, 1200, 6800, 10), CASH))
    # The takings go to the bank every Saturday; the petty cash is topped up on the 1st.
    for day in days_of(start):
        if day.weekday() == 5:
            out.append((day, CASH, "預金", "売上金預け入れ", 0, yen(rng, 130000, 180000, 1000),
                        BANK))
    first = open_days[0]
    out.append((first, CASH, "小口現金", "小口現金補充", 0, 10000, PETTY))

    small = [("旅費交通費", "バス代", 220, 460), ("事務用品費", "レシート用紙", 600, 1800),
             ("消耗品費", "キッチンペーパー", 300, 1200), ("新聞図書費", "新聞代", 4400, 4400),
             ("接待交際費", "手土産", 1080, 3240), ("通信費", "切手・はがき", 84, 1260),
             ("雑費", "クリーニング代", 800, 2400)]
    for day in sorted(rng.sample(open_days, 6)):
        title, item, low, high = rng.choice(small)
        out.append((day, PETTY, title, item, 0, yen(rng, low, high, 2 if low < 100 else 10), PETTY))

    bank = [(25, "地代家賃", "店舗家賃", 0, 135000), (25, "給料手当", "パート給与", 0, None),
            (27, "水道光熱費", "電気代", 0, None), (27, "水道光熱費", "ガス代", 0, None),
            (20, "水道光熱費", "水道代", 0, None), (26, "通信費", "電話・インターネット", 0, 6380),
            (10, "仕入", "製粉所へ振込", 0, None), (10, "支払手数料", "振込手数料", 0, 330),
            (15, "売上", "カード売上入金", None, 0), (28, "保険料", "店舗総合保険", 0, 8200),
            (28, "事業主貸", "生活費引出し", 0, 250000)]
    for day_of_month, title, item, income, expense in bank:
        day = start.replace(day=min(day_of_month, 28))
        if income is None:
            income = yen(rng, 120000, 240000, 1)
        if expense is None:
            expense = {"パート給与": yen(rng, 168000, 212000, 100),
                       "電気代": yen(rng, 21000, 38000, 1),
                       "ガス代": yen(rng, 9000, 21000, 1),
                       "水道代": yen(rng, 4000, 7000, 1),
                       "製粉所へ振込": yen(rng, 60000, 98000, 10)}[item]
        out.append((day, BANK, title, item, income, expense, BANK))
    return out


def amount(value):
    return str(value)


def main(path):
    rng = random.Random(20240401)
    records = []
    for start in month_starts():
        records += records_of_month(rng, start)
    # Date order; within a day the order the shop keeps: takings, then the rest as made.
    records.sort(key=lambda r: r[0])
    balances = dict(OPENING)
    lines = []
    for number, (day, book, title, description, income, expense, other) in enumerate(records):
        balances[book] += income - expense
        if other != book:
            balances[other] += expense - income
        lines.append(",".join(["d%02d=" % day.month, day.strftime("%Y/%m/%d"), str(number), title,
                               description, amount(income), amount(expense),
                               amount(balances[book]), book[0], book[1], other[0], other[1]]) + ",")
    for book in (PETTY, BANK):
        lines.append("z,%s,%s,%d," % (book[0], book[1], OPENING[book]))
    for month in range(1, 13):
        year = YEAR if month >= 4 else YEAR + 1
        start = datetime.date(year, month, 1)
        end = max(days_of(start))
        lines.append("f,%s,%s,0" % (start.strftime("%Y/%m/%d"), end.strftime("%Y/%m/%d")))
    lines.append("g,%d,4,1,%d," % (OPENING[CASH], YEAR))
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("cp932"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: tools/make_sample.py OUT.exv")
    main(sys.argv[1])
