#include "core/ledger/ledger_file.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/ledger/balances.h"
#include "core/ledger/ledger_index.h"
#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

const Date kToday = Date::FromYmd(2024, 3, 5);

const Lines kExampleLines = {
    "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,",
    "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,",
    "z,小口,本店,5000,",
    "f,2015/01/01,2015/01/31,0",
    "f,2015/02/01,2015/02/28,0",
    "f,2015/03/01,2015/03/31,0",
    "f,2014/04/01,2014/04/30,0",
    "f,2014/05/01,2014/05/31,0",
    "f,2014/06/01,2014/06/30,0",
    "f,2014/07/01,2014/07/31,0",
    "f,2014/08/01,2014/08/31,0",
    "f,2014/09/01,2014/09/30,0",
    "f,2014/10/01,2014/10/31,0",
    "f,2014/11/01,2014/11/30,0",
    "f,2014/12/01,2014/12/31,0",
    "g,10000,4,1,2014,",
};

// The period and settings lines of the example with another settings line.
Lines TrailerWith(const std::string& settingsLine) {
    Lines lines(kExampleLines.begin() + 3, kExampleLines.end() - 1);
    lines.push_back(settingsLine);
    return lines;
}

Lines Concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::string ConversionMessage(const Lines& lines) {
    try {
        ParseLedgerLines(lines, Ledger{}, kToday);
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(LedgerFile, ExampleFileReadsAndWritesBackByteForByte) {
    const std::string path = testing::FixturePath("ledger/example2014.exv");
    ASSERT_EQ(ReadTextLines(path), kExampleLines);
    ParsedLedger parsed = ReadLedgerFile(path, Ledger{}, kToday);
    const Ledger& ledger = parsed.ledger;
    EXPECT_FALSE(parsed.periodsInvalid);
    EXPECT_FALSE(parsed.damage.Any());
    EXPECT_FALSE(parsed.largeAmounts);
    EXPECT_EQ(parsed.identity, ReadFileIdentity(path));
    EXPECT_EQ(ledger.transactions.Items(), Lines(kExampleLines.begin(), kExampleLines.begin() + 2));
    EXPECT_EQ(ledger.pettyRegistry.Items(), Lines{"z,小口,本店,5000,"});
    EXPECT_EQ(ledger.bankRegistry.Count(), 0);
    EXPECT_EQ(ledger.openingBalance, Amount::FromYen(10000));
    EXPECT_EQ(ledger.startMonth, 4);
    EXPECT_EQ(ledger.useType, 1);
    EXPECT_EQ(ledger.startYear, 2014);
    EXPECT_EQ(ledger.periods.start[1].ShortText(), "2015/01/01");
    EXPECT_EQ(ledger.periods.end[2].ShortText(), "2015/02/28");
    EXPECT_EQ(ledger.periods.start[4].ShortText(), "2014/04/01");
    EXPECT_EQ(ledger.periods.end[12].ShortText(), "2014/12/31");

    EXPECT_EQ(LedgerFileLines(ledger), kExampleLines);
    EXPECT_EQ(EncodeTextLines(LedgerFileLines(ledger)), testing::ReadBytes(path));
}

TEST(LedgerFile, RegistriesPeriodsAndSettingsFollowTheRecords) {
    Ledger ledger;
    ledger.transactions.Add("d01=,2024/01/05,0,a,b,1,0,1,現金,現金出納帳,現金,現金出納帳,");
    ledger.pettyRegistry.Add("z,小口,本店,5000,");
    ledger.pettyRegistry.Add("z,小口,支店,0,");
    ledger.bankRegistry.Add("z,預金,A銀行,1000,");
    ledger.periods = Periods::CalendarYear(2024);
    ledger.periods.lock[3] = 1;
    ledger.openingBalance = Amount::FromRaw(-12345);
    ledger.startYear = 2024;
    const Lines lines = LedgerFileLines(ledger);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[1], "z,小口,本店,5000,");
    EXPECT_EQ(lines[2], "z,小口,支店,0,");
    EXPECT_EQ(lines[3], "z,預金,A銀行,1000,");
    EXPECT_EQ(lines[4], "f,2024/01/01,2024/01/31,0");
    EXPECT_EQ(lines[5], "f,2024/02/01,2024/02/29,0");
    EXPECT_EQ(lines[6], "f,2024/03/01,2024/03/31,1");
    EXPECT_EQ(lines[15], "f,2024/12/01,2024/12/31,0");
    EXPECT_EQ(lines[16], "g,-1.2345,1,1,2024,");
    EXPECT_EQ(ledger.transactions.Count(), 1);

    ParsedLedger again = ParseLedgerLines(lines, Ledger{}, kToday);
    EXPECT_EQ(again.ledger.periods.lock[3], 1);
    EXPECT_EQ(again.ledger.openingBalance, Amount::FromRaw(-12345));
    EXPECT_EQ(LedgerFileLines(again.ledger), lines);
}

TEST(LedgerFile, RecordsAreNormalisedAndRegistryLinesSorted) {
    const Lines records = {
        "d04=,2014/04/05,1,交通費,バス代,0,220,780",
        "d04=,2014/04/06,2,食費,昼食,0,500,280,現金,現金出納帳,預金,A銀行,",
        "z,預金,A銀行,1000,",
        "z,小口,本店,5000,",
        "z,他,無効,1,",
        "x,stray line",
        "",
    };
    ParsedLedger parsed =
        ParseLedgerLines(Concat(records, TrailerWith("g,1000,4,2,2014,")), Ledger{}, kToday);
    const Ledger& ledger = parsed.ledger;
    EXPECT_EQ(ledger.UseTypeName(), "おこづかい帳");
    EXPECT_EQ(
        ledger.transactions.Items(),
        (Lines{"d04=,2014/04/05,1,交通費,バス代,0,220,780,現金,おこづかい帳,現金,おこづかい帳,",
               "d04=,2014/04/06,2,食費,昼食,0,500,280,現金,おこづかい帳,預金,A銀行,"}));
    EXPECT_EQ(ledger.bankRegistry.Items(), Lines{"z,預金,A銀行,1000,"});
    EXPECT_EQ(ledger.pettyRegistry.Items(), Lines{"z,小口,本店,5000,"});

    // Use type 1 gives the cash book its own name back; other lines stay byte for byte.
    const Lines allowance = {
        "d04=,2014/04/06,2,食費,昼食,0,500,280,小口,本店,現金,おこづかい帳,",
        "d04=,2014/04/07,3,食費,夕食,0,1,279,小口,本店,小口,本店,",
    };
    parsed = ParseLedgerLines(Concat(allowance, TrailerWith("g,1000,4,1,2014,")), Ledger{}, kToday);
    EXPECT_EQ(
        parsed.ledger.transactions.Items(),
        (Lines{"d04=,2014/04/06,2,食費,昼食,0,500,280,小口,本店,現金,現金出納帳,", allowance[1]}));
}

TEST(LedgerFile, RecordsKeepTheirOrderAmongOtherLines) {
    const Lines lines = {
        "z,小口,本店,5000,",
        "",
        "d04=,2014/04/05,1,a,b,0,1,,現金,現金出納帳,現金,現金出納帳,",
        "x,stray line",
        "z,預金,A銀行,1000,",
        "d04=,2014/04/06,2,a,c,0,2,,小口,本店,小口,本店,",
        "d04=,2014/04/07,3,a,d,0,3,,現金,現金出納帳,現金,現金出納帳,",
    };
    const Ledger ledger =
        ParseLedgerLines(Concat(lines, TrailerWith("g,1000,4,1,2014,")), Ledger{}, kToday).ledger;
    EXPECT_EQ(ledger.transactions.Items(), (Lines{lines[2], lines[5], lines[6]}));
    EXPECT_EQ(ledger.pettyRegistry.Items(), Lines{lines[0]});
    EXPECT_EQ(ledger.bankRegistry.Items(), Lines{lines[4]});
}

// Regression: a quoted field with a comma was joined back unquoted by the first
// recomputation, so the record gained a field, its amounts shifted and it left its book.
TEST(LedgerFile, QuotedFieldsLoseTheirQuotesAndCommasAtLoad) {
    const Lines quoted = {
        "d04=,2014/04/01,0,\"交通費,バス\",x,0,1,,現金,現金出納帳,現金,現金出納帳,"};
    Ledger ledger =
        ParseLedgerLines(Concat(quoted, TrailerWith("g,0,4,1,2014,")), Ledger{}, kToday).ledger;
    EXPECT_EQ(ledger.transactions.Items(),
              Lines{"d04=,2014/04/01,0,交通費バス,x,0,1,,現金,現金出納帳,現金,現金出納帳,"});
    Balances balances;
    for (int walk = 0; walk < 2; ++walk) {
        Recompute(ledger, balances, 0, "現金出納帳", "現金", 4);
        EXPECT_EQ(balances.current, Amount::FromYen(-1));
    }
    EXPECT_EQ(ledger.transactions[0],
              "d04=,2014/04/01,0,交通費バス,x,0,1,-1,現金,現金出納帳,現金,現金出納帳,");
}

// The ledger open before, whose values a file that lost them keeps.
Ledger PreviousLedger() {
    Ledger previous;
    previous.openingBalance = Amount::FromYen(42);
    previous.startMonth = 7;
    previous.useType = 2;
    previous.startYear = 2020;
    return previous;
}

TEST(LedgerFile, MissingOrBrokenTrailerKeepsRecordsAndPreviousValues) {
    const Ledger previous = PreviousLedger();
    Lines twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back("d04=,2014/04/" + std::to_string(10 + i) + "," + std::to_string(i) +
                         ",a,b,0,1,,現金,おこづかい帳,現金,おこづかい帳,");
    ParsedLedger parsed = ParseLedgerLines(twelve, previous, kToday);
    EXPECT_TRUE(parsed.periodsInvalid);
    EXPECT_TRUE(parsed.damage.trailer);
    EXPECT_EQ(parsed.ledger.transactions.Items(), twelve);
    EXPECT_EQ(parsed.ledger.openingBalance, Amount::FromYen(42));
    EXPECT_EQ(parsed.ledger.startMonth, 7);
    EXPECT_EQ(parsed.ledger.useType, 2);
    EXPECT_EQ(parsed.ledger.startYear, 2020);
    EXPECT_EQ(parsed.ledger.periods.start[1].ShortText(), "2024/01/01");
    EXPECT_EQ(parsed.ledger.periods.end[2].ShortText(), "2024/02/29");

    // Thirteen lines or more, but a record where a period line belongs: the period lines
    // that are there are dropped with the other lines that are not records.
    Lines broken = Concat(twelve, TrailerWith("g,1000,4,1,2014,"));
    broken.erase(broken.begin() + 12);  // the first period line
    parsed = ParseLedgerLines(broken, previous, kToday);
    EXPECT_TRUE(parsed.periodsInvalid);
    EXPECT_TRUE(parsed.damage.trailer);
    EXPECT_EQ(parsed.ledger.transactions.Items(), twelve);
    EXPECT_EQ(parsed.ledger.startMonth, 7);
    EXPECT_EQ(parsed.ledger.periods.start[4].ShortText(), "2024/04/01");

    // Twelve period lines without the settings line: the periods are read, and the start
    // month and year with them; the opening balance the file held is not.
    Lines noSettings = Concat(twelve, TrailerWith("x"));
    parsed = ParseLedgerLines(noSettings, previous, kToday);
    EXPECT_FALSE(parsed.periodsInvalid);
    EXPECT_FALSE(parsed.damage.trailer);
    EXPECT_TRUE(parsed.damage.settings);
    EXPECT_EQ(parsed.damage.settingsLine, 0u);
    EXPECT_EQ(parsed.damage.firstDroppedLine, 25u);
    EXPECT_EQ(parsed.ledger.startMonth, 4);
    EXPECT_EQ(parsed.ledger.startYear, 2014);
    EXPECT_EQ(parsed.ledger.openingBalance, Amount::FromYen(42));
    EXPECT_EQ(parsed.ledger.periods.start[4].ShortText(), "2014/04/01");
}

// Regression: a file cut inside its settings line failed to load, lost its use type or
// (cut just before the line) its periods, and the next save wrote the values of the
// ledger open before over the file's.
TEST(LedgerFile, ASettingsLineCutShortIsDamageAndWhatItStillHoldsIsRead) {
    const Ledger previous = PreviousLedger();
    const Lines records(kExampleLines.begin(), kExampleLines.begin() + 3);
    // Only a field still followed by its comma is read: "10" may be the start of "10000".
    // The start month and year the line lost are the period lines' (April 2014 here), not
    // the previous ledger's (July).
    const std::tuple<std::string, std::size_t, int, int, int, int> cuts[] = {
        {"g,10000,4,1,2014", 16, 10000, 4, 1, 2014},
        {"g,10000,4,", 16, 10000, 4, 2, 2014},
        {"g,10", 16, 42, 4, 2, 2014},
        {"g", 16, 42, 4, 2, 2014},
        {"", 0, 42, 4, 2, 2014},  // the file ends with the period lines
    };
    for (const auto& [settings, line, balance, month, useType, year] : cuts) {
        Lines lines = Concat(records, TrailerWith(settings));
        if (settings.empty()) lines.pop_back();
        const ParsedLedger parsed = ParseLedgerLines(lines, previous, kToday);
        EXPECT_FALSE(parsed.periodsInvalid) << settings;
        EXPECT_FALSE(parsed.damage.trailer) << settings;
        EXPECT_TRUE(parsed.damage.settings) << settings;
        EXPECT_EQ(parsed.damage.settingsLine, line) << settings;
        EXPECT_EQ(parsed.damage.droppedLines, 0u) << settings;
        const Ledger& ledger = parsed.ledger;
        EXPECT_EQ(std::make_tuple(ledger.openingBalance, ledger.startMonth, ledger.useType,
                                  ledger.startYear),
                  std::make_tuple(Amount::FromYen(balance), month, useType, year))
            << settings;
        EXPECT_EQ(ledger.periods.start[4].ShortText(), "2014/04/01") << settings;
        EXPECT_EQ(ledger.transactions.Count(), 2) << settings;
    }
    // A whole line of the earlier format ends after the use type.
    EXPECT_FALSE(ParseLedgerLines(Concat(records, TrailerWith("g,10000,4,1,")), previous, kToday)
                     .damage.Any());
}

// Regression: a record that lost a comma (bytes overwritten inside the line) belonged to no
// book, and the file loaded as whole.
TEST(LedgerFile, RecordsWithTooFewOrTooManyFieldsAreDamageKeptAsTheyAre) {
    Lines lines = kExampleLines;
    lines[0] = "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金現金出納帳,";
    lines[1] = "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本,店,";
    const ParsedLedger parsed = ParseLedgerLines(lines, Ledger{}, kToday);
    EXPECT_FALSE(parsed.damage.trailer);
    EXPECT_EQ(parsed.damage.badRecords, 2u);
    EXPECT_EQ(parsed.damage.firstBadRecordLine, 1u);
    EXPECT_EQ(parsed.damage.firstBadRecordFields, 11);
    EXPECT_EQ(parsed.ledger.transactions.Items(), Lines(lines.begin(), lines.begin() + 2));

    // Quoted commas, a last comma lost and the earlier eight-field form are records.
    lines = kExampleLines;
    lines[0] =
        "d04=,2014/04/01,0,\"交通費,バス\",\"a,b,c\",0,220,9780,現金,現金出納帳,現金,現金出納帳,";
    lines[1] = "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店";
    lines.insert(lines.begin(), "d04=,2014/04/01,1,交通費,バス代,0,220,780");
    EXPECT_FALSE(ParseLedgerLines(lines, Ledger{}, kToday).damage.Any());
    for (const char* fixture : {"ledger/allowance2014.exv", "ledger/books2014.exv",
                                "ledger/example2014.exv", "ledger/sample2014.exv"})
        EXPECT_FALSE(ReadLedgerFile(testing::FixturePath(fixture), Ledger{}, kToday).damage.Any())
            << fixture;
    EXPECT_FALSE(ReadLedgerFile(VELMORA_DATA_DIR "/sample.exv", Ledger{}, kToday).damage.Any());
}

// A line the ledger cannot hold would be lost by the next save, a record without a month
// tag is shown in no month: both are damage. A blank line between records is neither.
TEST(LedgerFile, LinesThatAreNoRecordsAndRecordsWithoutAMonthAreDamage) {
    Lines lines = kExampleLines;
    lines.insert(lines.begin() + 2, {"e04=,2014/04/05,2,仕入,振込,0,78870,,預金,A銀行,預金,A銀行,",
                                     "", "A銀行,預金,A銀行,", "z,他,X,100,"});
    lines.insert(lines.begin(),
                 {"d13=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,",
                  "d04,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,"});
    const ParsedLedger parsed = ParseLedgerLines(lines, Ledger{}, kToday);
    EXPECT_EQ(parsed.damage.badRecords, 0u);
    EXPECT_EQ(parsed.damage.untaggedRecords, 2u);
    EXPECT_EQ(parsed.damage.firstUntaggedRecordLine, 1u);
    EXPECT_EQ(parsed.damage.droppedLines, 3u);
    EXPECT_EQ(parsed.damage.firstDroppedLine, 5u);
    EXPECT_EQ(parsed.ledger.transactions.Count(), 4);
}

// The index is built from the fields the parse split: it must hold what a build from the
// lines as loaded holds, rewritten (earlier form, renamed cash book, quotes) and damaged
// lines included.
TEST(LedgerFile, TheIndexReadWithTheLinesIsTheIndexOfTheLinesLoaded) {
    const Lines records = {
        "d04=,2014/04/05,1,交通費,バス代,0,220,780",
        "d04=,2014/04/06,2,食費,昼食,0,500,280,現金,現金出納帳,預金,A銀行,",
        "d04=,2014/04/01,0,\"交通費,バス\",x,0,1,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/07,3,食費,夕食,0,1,279,小口,本店,小口,本店,",
        "d04=,2014/04/08,3,食費,夕食,0,1,279,小口,本,店,",
        "d05=,2014/05/02,4,食費,朝食,0,30,,小口,本店,現金,現金出納帳,",
    };
    for (const char* settings : {"g,1000,4,2,2014,", "g,1000,4,1,2014,"}) {
        const Ledger read =
            ParseLedgerLines(Concat(records, TrailerWith(settings)), Ledger{}, kToday).ledger;
        const Ledger built = read;  // a copy builds its index from the lines
        const LedgerIndex& a = read.Index();
        const LedgerIndex& b = built.Index();
        ASSERT_EQ(a.Count(), static_cast<std::int32_t>(records.size()));
        ASSERT_EQ(b.Count(), a.Count());
        for (std::int32_t i = 0; i < a.Count(); ++i) {
            const LineFacts& x = a.Facts(i);
            const LineFacts& y = b.Facts(i);
            EXPECT_EQ(std::tie(x.income, x.expense, x.day, x.tag, x.leadingTag, x.slot, x.flags),
                      std::tie(y.income, y.expense, y.day, y.tag, y.leadingTag, y.slot, y.flags))
                << settings << " line " << i;
            EXPECT_EQ(std::make_tuple(a.BookKind(x.own), a.BookName(x.own), a.BookKind(x.other),
                                      a.BookName(x.other), a.Texts().Text(x.title),
                                      a.Texts().Text(x.description)),
                      std::make_tuple(b.BookKind(y.own), b.BookName(y.own), b.BookKind(y.other),
                                      b.BookName(y.other), b.Texts().Text(y.title),
                                      b.Texts().Text(y.description)))
                << settings << " line " << i;
        }
        EXPECT_EQ(a.DatesInOrder(), b.DatesInOrder());
        EXPECT_EQ(a.SlotsInFiscalOrder(), b.SlotsInFiscalOrder());
        EXPECT_EQ(a.HasOldFormLines(), b.HasOldFormLines());
        for (const BookId& book : BooksOf(read)) {
            const auto id = a.FindBook(book.kind, book.name);
            ASSERT_EQ(id.has_value(), b.FindBook(book.kind, book.name).has_value());
            if (!id) continue;
            EXPECT_EQ(a.BalanceBefore(*id, Amount(), a.Count()),
                      b.BalanceBefore(*b.FindBook(book.kind, book.name), Amount(), b.Count()));
        }
    }
}

TEST(LedgerFile, EmptyLinesAndNulBytesAfterTheLastLineAreNoLines) {
    testing::TempFolder folder;
    const std::string path = folder.File("a.exv");
    const std::string example = EncodeTextLines(kExampleLines);
    const std::string withoutLastBreak = example.substr(0, example.size() - 2);
    for (const std::string& bytes :
         {example + "\r\n", example + "\r\n\r\n\n", example + std::string(4096, '\0'),
          example + std::string("\0\0\r\n\0", 5), withoutLastBreak + std::string(3, '\0')}) {
        testing::WriteBytes(path, bytes);
        ParsedLedger parsed = ReadLedgerFile(path, Ledger{}, kToday);
        EXPECT_FALSE(parsed.periodsInvalid);
        EXPECT_FALSE(parsed.damage.Any());
        EXPECT_EQ(LedgerFileLines(parsed.ledger), kExampleLines);
    }
}

TEST(LedgerFile, AmountsThatMayOverflowABalanceAreNoted) {
    Lines lines = kExampleLines;
    auto record = [](const std::string& income, const std::string& expense) {
        return "d04=,2014/04/01,0,売上,大口," + income + "," + expense +
               ",,現金,現金出納帳,現金,現金出納帳,";
    };
    // With the opening balances and the other record: 922,337,203,618,000 in all.
    lines[0] = record("922337203600000", "0");
    EXPECT_FALSE(ParseLedgerLines(lines, Ledger{}, kToday).largeAmounts);
    lines[0] = record("922337203685477", "0");
    ParsedLedger parsed = ParseLedgerLines(lines, Ledger{}, kToday);
    EXPECT_TRUE(parsed.largeAmounts);
    EXPECT_TRUE(BalancesOverflow(parsed.ledger, BooksOf(parsed.ledger)));
    // Large amounts whose balances fit all the same.
    lines[0] = record("500000000000000", "500000000000000");
    parsed = ParseLedgerLines(lines, Ledger{}, kToday);
    EXPECT_TRUE(parsed.largeAmounts);
    EXPECT_FALSE(BalancesOverflow(parsed.ledger, BooksOf(parsed.ledger)));
}

TEST(LedgerFile, SettingsLineValues) {
    auto parse = [](const std::string& settings) {
        return ParseLedgerLines(TrailerWith(settings), Ledger{}, kToday).ledger;
    };
    // No year (files of the earlier format): never today's, but the year of the periods,
    // or of the records when the periods do not hold them.
    EXPECT_EQ(parse("g,0,4,1,,").startYear, 2014);
    EXPECT_EQ(parse("g,0,4,1,abc,").startYear, 2014);
    EXPECT_EQ(parse("g,0,4,1,").startYear, 2014);
    EXPECT_EQ(ParseLedgerLines(Concat(Lines(kExampleLines.begin(), kExampleLines.begin() + 2),
                                      TrailerWith("g,10000,4,1,")),
                               Ledger{}, kToday)
                  .ledger.startYear,
              2014);
    Lines otherPeriods = TrailerWith("g,0,4,1,");
    for (std::string& line : otherPeriods)  // the periods of 2020/04..2021/03
        for (std::size_t at = line.find("201"); at != std::string::npos; at = line.find("201"))
            line.replace(at, 4, line[at + 3] == '4' ? "2020" : "2021");
    EXPECT_EQ(ParseLedgerLines(Concat({"d05=,2013/05/15,0,食費,パン,0,300,0,現金,現金出納帳,現金,"
                                       "現金出納帳,",
                                       "d02=,2014/02/01,1,食費,米,0,900,0,現金,現金出納帳,現金,"
                                       "現金出納帳,"},
                                      otherPeriods),
                               Ledger{}, kToday)
                  .ledger.startYear,
              2013);
    EXPECT_EQ(parse("g,0,4,1,98,").startYear, 2014);  // the year the April period begins
    EXPECT_EQ(parse("g,0,1,1,98,").startYear, 2015);
    EXPECT_EQ(parse("g,0,4,x,2014,").useType, 0);
    EXPECT_EQ(parse("g,12.5,4,1,2014,").openingBalance, Amount::FromRaw(125000));

    Lines locked = TrailerWith("g,0,4,1,2014,");
    locked[3] = "f,2014/04/01,2014/04/30,1";
    locked[4] = "f,2014/05/01,2014/05/31,x";
    Ledger ledger = ParseLedgerLines(locked, Ledger{}, kToday).ledger;
    EXPECT_EQ(ledger.periods.lock[4], 1);
    EXPECT_EQ(ledger.periods.lock[5], 0);
}

TEST(LedgerFile, BadDatesAndNumbersAreConversionErrorsNamingTheLine) {
    Lines badPeriod = kExampleLines;
    badPeriod[3] = "f,2015/13/01,2015/01/31,0";
    EXPECT_EQ(ConversionMessage(badPeriod), "4行目: '2015/13/01' は正しい日付ではありません");

    Lines badOpening = kExampleLines;
    badOpening[15] = "g,1万,4,1,2014,";
    EXPECT_EQ(ConversionMessage(badOpening), "16行目: '1万' は正しい数値ではありません");

    Lines badMonth = kExampleLines;
    badMonth[15] = "g,10000,13,1,2014,";
    EXPECT_EQ(ConversionMessage(badMonth), "16行目: 開始月 '13' が正しくありません");

    Lines badRecordDate = kExampleLines;
    badRecordDate[1] = "d04=,2014/02/30,1,a,b,0,3000,6780,現金,現金出納帳,小口,本店,";
    EXPECT_EQ(ConversionMessage(badRecordDate), "2行目: '2014/02/30' は正しい日付ではありません");

    Lines badIncome = kExampleLines;
    badIncome[0] = "d04=,2014/04/01,0,a,b,abc,220,9780,現金,現金出納帳,現金,現金出納帳,";
    EXPECT_EQ(ConversionMessage(badIncome), "1行目: 'abc' は正しい数値ではありません");

    // Megabytes where a field belongs are quoted by their first eighty characters.
    const std::string eighty = "2014/04/01" + std::string(60, 'x') + "ああああああああああ";
    badRecordDate[1] = "d04=,こ" + eighty + std::string(1 << 20, 'y') + ",1,a,b,0,1,,";
    EXPECT_EQ(ConversionMessage(badRecordDate),
              "2行目: 'こ" + eighty.substr(0, eighty.size() - 3) + "…' は正しい日付ではありません");
}

}  // namespace
}  // namespace velmora
