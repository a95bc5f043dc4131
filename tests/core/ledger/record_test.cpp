#include "core/ledger/record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/ledger/periods.h"

namespace velmora {
namespace {

TEST(RecordSplit, TwelveCommaTerminatedFieldsWithAnEmptyBalance) {
    const std::string line =
        "d04=,2014/04/05,3,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,";
    RecordSplit split(line);
    ASSERT_EQ(split.Count(), 12);
    EXPECT_EQ(split[kFieldTag], "d04=");
    EXPECT_EQ(split[kFieldDate], "2014/04/05");
    EXPECT_EQ(split[kFieldTitle], "交通費");
    EXPECT_EQ(split[kFieldExpense], "220");
    EXPECT_EQ(split[kFieldBalance], "");
    EXPECT_EQ(split[kFieldOtherName], "現金出納帳");
    EXPECT_EQ(split[12], "");
    EXPECT_EQ(split[-1], "");
    EXPECT_TRUE(IsPlainRecordLine(line, split));
    EXPECT_EQ(JoinRecord(RecordFieldsOf(split)), line);
}

TEST(RecordSplit, BookMembershipByEitherSide) {
    RecordSplit transfer("d04=,2014/04/03,1,小口現金,補充,0,3000,,現金,現金出納帳,小口,本店,");
    EXPECT_TRUE(transfer.IsOwnBook("現金", "現金出納帳"));
    EXPECT_TRUE(transfer.IsOtherBook("小口", "本店"));
    EXPECT_TRUE(transfer.BelongsTo("小口", "本店"));
    EXPECT_FALSE(transfer.BelongsTo("預金", "本店"));
    EXPECT_FALSE(transfer.BelongsTo("小口", "支店"));
}

TEST(RecordSplit, LeadingFieldsReadAsTheSplitReadsThem) {
    const std::vector<std::string> lines{
        "d04=,2014/04/05,3,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/05,3,交通費,\"バス,代\",0,220,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,\"2014/04/05\",3,交通費,",
        "\"d04=,x\",2014/04/06,3,",
        "d04=,2014/04\r/07,3,",
        "d04=\r,2014/04/08,3,",
        "d04=,2014/04/09",
        "d04=,2014/04/10,",
        "d04=",
        "",
        ",,",
    };
    for (const std::string& line : lines) {
        const RecordSplit split(line);
        for (int index : {0, 1, 2})
            EXPECT_EQ(LeadingRecordField(line, index), split[index]) << line << " " << index;
    }
    EXPECT_EQ(LeadingRecordField(lines[1], kFieldDate), "2014/04/05");
    EXPECT_EQ(LeadingRecordField(lines[2], kFieldDate), "2014/04/05");
    EXPECT_EQ(LeadingRecordField(lines[6], kFieldDate), "2014/04/09");
}

TEST(RecordSplit, ReplacingAFieldKeepsTheOthers) {
    const std::string plain = "d04=,2014/04/01,0,a,b,0,220,,現金,現金出納帳,現金,現金出納帳,";
    RecordSplit split(plain);
    EXPECT_EQ(ReplaceRecordField(plain, split, kFieldBalance, "-220"),
              "d04=,2014/04/01,0,a,b,0,220,-220,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(ReplaceRecordField(plain, split, kFieldTag, "d05="),
              "d05=,2014/04/01,0,a,b,0,220,,現金,現金出納帳,現金,現金出納帳,");

    // A line that does not end with "," is rebuilt from its twelve fields.
    const std::string unterminated = "d04=,2014/04/01,0,a,b,0,220,5,現金,X,現金,X";
    split.Split(unterminated);
    EXPECT_FALSE(IsPlainRecordLine(unterminated, split));
    EXPECT_EQ(ReplaceRecordField(unterminated, split, kFieldBalance, "7"),
              "d04=,2014/04/01,0,a,b,0,220,7,現金,X,現金,X,");

    // Twelve fields still, but a quote or a carriage return that the join would not give
    // back: rebuilt as well.
    const std::string quoted = "d04=,2014/04/01,0,a,\"b\",0,220,5,現金,X,現金,X,";
    split.Split(quoted);
    EXPECT_EQ(split.Count(), 12);
    EXPECT_FALSE(split.AtEveryComma());
    EXPECT_FALSE(IsPlainRecordLine(quoted, split));
    EXPECT_EQ(ReplaceRecordField(quoted, split, kFieldBalance, "7"),
              "d04=,2014/04/01,0,a,b,0,220,7,現金,X,現金,X,");
    const std::string withCr = "d04=,2014/04/01,0,a,b,0,220,5,現金,X,現金,X\r,";
    split.Split(withCr);
    EXPECT_FALSE(IsPlainRecordLine(withCr, split));
    split.Split(plain);
    EXPECT_TRUE(split.AtEveryComma());
    EXPECT_TRUE(IsPlainRecordLine(plain, split));
}

TEST(RecordSplit, OldFormRecordBecomesACashBookRecord) {
    RecordSplit split("d04=,2014/04/05,1,交通費,バス代,0,220,780");
    EXPECT_EQ(split.Count(), 8);
    EXPECT_EQ(CompleteOldFormRecord(split, "おこづかい帳"),
              "d04=,2014/04/05,1,交通費,バス代,0,220,780,現金,おこづかい帳,現金,おこづかい帳,");
    EXPECT_TRUE(IsRecordLine("d01="));
    EXPECT_FALSE(IsRecordLine("z,小口,本店,5000,"));
    EXPECT_FALSE(IsRecordLine(""));
}

TEST(RecordSplit, ACashBookRenameIsNeededWhereRenamingChangesAField) {
    const std::vector<std::string> lines{
        "d04=,2014/04/05,1,a,b,0,1,,現金,おこづかい帳,現金,おこづかい帳,",
        "d04=,2014/04/05,1,a,b,0,1,,小口,本店,現金,おこづかい帳,",
        "d04=,2014/04/05,1,a,b,0,1,,現金,現金出納帳,小口,本店,",
        "d04=,2014/04/05,1,a,b,0,1,,小口,おこづかい帳",
        "d04=,2014/04/05,1,a,b,0,1,",
    };
    for (std::string_view useTypeName : {"現金出納帳", "おこづかい帳"})
        for (const std::string& line : lines) {
            const RecordSplit split(line);
            auto fields = RecordFieldsOf(split);
            EXPECT_EQ(NeedsCashBookRename(split, useTypeName),
                      RenameCashBookFields(fields, useTypeName))
                << useTypeName << " " << line;
        }
    EXPECT_TRUE(NeedsCashBookRename(RecordSplit(lines[1]), "現金出納帳"));
    EXPECT_FALSE(NeedsCashBookRename(RecordSplit(lines[1]), "おこづかい帳"));
}

TEST(Registry, LinesNamesAndOpeningBalances) {
    EXPECT_EQ(RegistryLine("小口", "本店", Amount::FromYen(5000)), "z,小口,本店,5000,");
    EXPECT_EQ(RegistryName("z,小口,本店,5000,"), "本店");
    EXPECT_EQ(RegistryBalance("z,小口,本店,5000,"), Amount::FromYen(5000));
    EXPECT_EQ(RegistryBalance("z,小口,本店,abc,"), Amount());
    EXPECT_EQ(RegistryBalance("z,小口,本店,"), Amount());
    // A carried balance with a fraction of a yen is kept as it stands.
    EXPECT_EQ(RegistryBalance("z,預金,A銀行,1234.5,"), Amount::FromRaw(12345000));

    Ledger ledger;
    ledger.openingBalance = Amount::FromYen(777);
    ledger.pettyRegistry.Add("z,小口,本店,100,");
    ledger.pettyRegistry.Add("z,小口,支店,200,");
    ledger.pettyRegistry.Add("z,小口,本店,300,");
    ledger.bankRegistry.Add("z,預金,本店,900,");
    EXPECT_EQ(OpeningBalanceOf(ledger, "現金", "現金出納帳"), Amount::FromYen(777));
    EXPECT_EQ(OpeningBalanceOf(ledger, "小口", "本店"), Amount::FromYen(300));  // the last match
    EXPECT_EQ(OpeningBalanceOf(ledger, "小口", "支店"), Amount::FromYen(200));
    EXPECT_EQ(OpeningBalanceOf(ledger, "預金", "本店"), Amount::FromYen(900));
    EXPECT_EQ(OpeningBalanceOf(ledger, "小口", "なし"), Amount());
    EXPECT_EQ(OpeningBalanceOf(ledger, "全帳簿", "全帳簿"), Amount());
    EXPECT_EQ(ledger.RegistryOf("現金"), nullptr);
}

TEST(Ledger, UseTypeNamesTheCashBook) {
    Ledger ledger;
    EXPECT_EQ(ledger.CashBook(), (BookId{"現金", "現金出納帳"}));
    ledger.useType = 2;
    EXPECT_EQ(ledger.CashBook(), (BookId{"現金", "おこづかい帳"}));
    ledger.useType = 0;  // anything but 1 is an allowance book
    EXPECT_EQ(ledger.UseTypeName(), "おこづかい帳");
}

TEST(Periods, CalendarYearAndTheFiscalWalk) {
    Periods p = Periods::CalendarYear(2024);
    EXPECT_EQ(p.start[2].ShortText(), "2024/02/01");
    EXPECT_EQ(p.end[2].ShortText(), "2024/02/29");
    EXPECT_EQ(p.end[12].ShortText(), "2024/12/31");
    EXPECT_EQ(p.FirstSlotOf(Date::FromYmd(2024, 7, 31)), 7);
    EXPECT_EQ(p.FirstSlotOf(Date::FromYmd(2025, 1, 1)), 0);

    EXPECT_EQ(LastFiscalMonth(1), 12);
    EXPECT_EQ(LastFiscalMonth(4), 3);
    EXPECT_EQ(FiscalMonthAt(4, 0), 4);
    EXPECT_EQ(FiscalMonthAt(4, 8), 12);
    EXPECT_EQ(FiscalMonthAt(4, 9), 1);
    EXPECT_EQ(FiscalMonthAt(4, 11), 3);
    EXPECT_EQ(FiscalOrdinal(p, 4, Date::FromYmd(2024, 4, 10)), 1);
    EXPECT_EQ(FiscalOrdinal(p, 4, Date::FromYmd(2024, 3, 10)), 12);
    EXPECT_EQ(FiscalOrdinal(p, 4, Date::FromYmd(2023, 3, 10)), 13);
    EXPECT_EQ(MonthTag(4), "d04=");
    EXPECT_EQ(MonthTag(12), "d12=");

    // Overlapping periods: the first and the last slot holding a date differ.
    p.end[4] = Date::FromYmd(2024, 5, 10);
    EXPECT_EQ(p.FirstSlotOf(Date::FromYmd(2024, 5, 5)), 4);
    EXPECT_EQ(p.LastSlotOf(Date::FromYmd(2024, 5, 5)), 5);
    p.lock[6] = 1;
    EXPECT_TRUE(p.IsLocked(6));
    EXPECT_FALSE(p.IsLocked(7));
    EXPECT_FALSE(p.IsLocked(13));
}

}  // namespace
}  // namespace velmora
