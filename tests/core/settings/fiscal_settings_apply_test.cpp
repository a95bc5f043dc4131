// "適用(&A)": the checks in their order with their texts, what is stored, and the settings
// file written with its seven lines; every refusal leaves the ledger and the file alone.
#include "core/settings/fiscal_settings_apply.h"

#include <gtest/gtest.h>

#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

Date D(const char* text) {
    return Date::Parse(text);
}

Periods MonthEnd(int startMonth, int startYear) {
    Periods p;
    int year = startYear;
    for (int i = 0; i < 12; ++i) {
        int k = FiscalMonthAt(startMonth, i);
        if (i > 0 && k == 1) ++year;
        p.start[k] = Date::FromYmd(year, k, 1);
        p.end[k] = Date::FromYmd(year, k, DaysInMonth(year, k));
    }
    return p;
}

Ledger AprilLedger() {
    Ledger ledger;
    ledger.startMonth = 4;
    ledger.startYear = 2024;
    ledger.openingBalance = Amount::FromYen(10000);
    ledger.periods = MonthEnd(4, 2024);
    return ledger;
}

FiscalSettingsForm FormOf(const Ledger& ledger) {
    FiscalSettingsForm form;
    form.periods = ledger.periods;
    form.startMonth = ledger.startMonth;
    form.startYearField = Amount::FromYen(ledger.startYear);
    form.openingBalanceField = ledger.openingBalance;
    form.useTypeIndex = ledger.useType - 1;
    return form;
}

const char* kOldSettings = "[FILE_DIR]=/old.exv\n[PRINT_STYLE1]=x\n";

// One ledger, one settings file and the flag, as the session holds them.
struct Fixture {
    TempFolder folder;
    Ledger ledger = AprilLedger();
    bool modified = false;
    ScriptedDialogs dialogs;
    DiskFileWriter disk;

    Fixture() { WriteCp932(Path(), kOldSettings); }
    std::string Path() const { return folder.File("velmora.conf"); }
    ApplyOutcome Apply(const FiscalSettingsForm& form, FileWriter* writer = nullptr) {
        return ApplyFiscalSettings(
            form, FiscalApplyTarget{ledger, modified, dialogs, writer ? *writer : disk, Path()});
    }
    // The refusal left the ledger, the flag and the file as they were.
    void ExpectUntouched() const {
        Ledger before = AprilLedger();
        for (int k = 1; k <= 12; ++k) {
            EXPECT_EQ(ledger.periods.start[k], before.periods.start[k]) << k;
            EXPECT_EQ(ledger.periods.end[k], before.periods.end[k]) << k;
            EXPECT_EQ(ledger.periods.lock[k], 0) << k;
        }
        EXPECT_EQ(ledger.startMonth, 4);
        EXPECT_EQ(ledger.startYear, 2024);
        EXPECT_EQ(ledger.openingBalance, Amount::FromYen(10000));
        EXPECT_EQ(ledger.useType, 1);
        EXPECT_FALSE(modified);
        EXPECT_EQ(ReadBytes(Path()), "[FILE_DIR]=/old.exv\r\n[PRINT_STYLE1]=x\r\n");
    }
};

const std::string kApplied = "info:現金出納帳-Velmora Version5|環境設定を登録しました。";
const std::string kQuestion =
    "yesno:現金出納帳5-Velmora Version5|開始月、開始残高を変更していいですか？";

TEST(FiscalSettingsApply, StartYearBounds) {
    for (int year : {2100, 1900}) {
        Fixture f;
        auto form = FormOf(f.ledger);
        form.startYearField = Amount::FromYen(year);
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Applied) << year;
        EXPECT_EQ(f.ledger.startYear, year);
    }
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"2101", "開始年度が大きすぎます。"},
        {"2100.5", "開始年度が大きすぎます。"},
        {"1899", "開始年度が小さすぎます。"},
        {"1899.9", "開始年度が小さすぎます。"}};
    for (const auto& [year, message] : refused) {
        Fixture f;
        auto form = FormOf(f.ledger);
        form.startYearField = Amount::Parse(year);
        form.periods.lock[4] = 1;
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Refused) << year;
        EXPECT_EQ(f.dialogs.Log(),
                  (std::vector<std::string>{"info:確認してください。|" + message}));
        f.ExpectUntouched();
    }
}

TEST(FiscalSettingsApply, SpanOfAtMostOneYear) {
    // April to March spans 364 days.
    EXPECT_EQ(SpanProblem(MonthEnd(4, 2024)), std::nullopt);

    // Thirteen calendar months are refused before anything is asked.
    Fixture f;
    auto form = FormOf(f.ledger);
    form.startMonth = 5;
    form.periods.end[3] = D("2025/04/30");
    EXPECT_EQ(f.Apply(form), ApplyOutcome::Refused);
    EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{
                                   "info:確認してください。|"
                                   "1年以上の期間が設定されています。\r\n2024/04/01～2025/04/30"}));
    f.ExpectUntouched();

    // All dates in common years: 365 days at most.
    Periods common = MonthEnd(1, 2021);
    common.end[12] = D("2022/01/01");
    EXPECT_EQ(SpanProblem(common), std::nullopt);
    common.end[12] = D("2022/01/02");
    EXPECT_EQ(SpanProblem(common), "1年以上の期間が設定されています。\r\n2021/01/01～2022/01/02");

    // One date in a leap year allows 366.
    Periods leap = MonthEnd(3, 2023);
    leap.end[2] = D("2024/03/01");
    EXPECT_EQ(SpanProblem(leap), std::nullopt);
    leap.end[2] = D("2024/03/02");
    EXPECT_EQ(SpanProblem(leap), "1年以上の期間が設定されています。\r\n2023/03/01～2024/03/02");
}

TEST(FiscalSettingsApply, ChainCheckInFiscalOrder) {
    Periods p = MonthEnd(4, 2024);
    EXPECT_EQ(ChainProblem(p, 4), std::nullopt);
    // Starting on the day the previous period ends is accepted; a day earlier is not.
    p.start[5] = D("2024/04/30");
    EXPECT_EQ(ChainProblem(p, 4), std::nullopt);
    p.start[5] = D("2024/04/29");
    EXPECT_EQ(ChainProblem(p, 4), "5月の締日設定：前月より前になっています");

    Periods wrap = MonthEnd(4, 2024);
    wrap.start[1] = D("2024/12/30");
    EXPECT_EQ(ChainProblem(wrap, 4), "1月の締日設定：前月より前になっています");
    // From March to April there is no step when the year starts in April.
    Periods noStep = MonthEnd(4, 2024);
    noStep.start[4] = D("2024/03/01");
    EXPECT_EQ(ChainProblem(noStep, 4), std::nullopt);

    Periods reversed = MonthEnd(4, 2024);
    reversed.start[6] = D("2024/07/01");
    EXPECT_EQ(ChainProblem(reversed, 4), "6月の締日設定：開始日が終了日より後になっています");
    // A period's own dates are checked before the step into the next one.
    reversed.start[4] = D("2024/05/01");
    reversed.start[5] = D("2024/04/01");
    EXPECT_EQ(ChainProblem(reversed, 4), "4月の締日設定：開始日が終了日より後になっています");

    Fixture f;
    auto form = FormOf(f.ledger);
    form.periods.start[5] = D("2024/04/29");
    EXPECT_EQ(f.Apply(form), ApplyOutcome::Refused);
    EXPECT_EQ(
        f.dialogs.Infos(),
        (std::vector<std::string>{"確認してください。|5月の締日設定：前月より前になっています"}));
    f.ExpectUntouched();
}

TEST(FiscalSettingsApply, QuestionOnlyWhenStartMonthOrOpeningBalanceChange) {
    {
        Fixture f;
        auto form = FormOf(f.ledger);
        form.periods.lock[7] = 1;
        form.startYearField = Amount::Parse("2024.8");
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Applied);
        EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{kApplied}));
        EXPECT_EQ(f.ledger.periods.lock[7], 1);
        EXPECT_EQ(f.ledger.startYear, 2024);
        EXPECT_TRUE(f.modified);
    }
    {
        // A fraction of a yen is cut before comparing: nothing changed.
        Fixture f;
        auto form = FormOf(f.ledger);
        form.openingBalanceField = Amount::Parse("10000.9");
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Applied);
        EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{kApplied}));
        EXPECT_EQ(f.ledger.openingBalance, Amount::FromYen(10000));
    }
    {
        Fixture f;
        auto form = FormOf(f.ledger);
        form.openingBalanceField = Amount::Parse("12345.6");
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Applied);
        EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{kQuestion, kApplied}));
        EXPECT_EQ(f.ledger.openingBalance, Amount::FromYen(12345));
    }
    {
        Fixture f;
        f.dialogs.yesNoAnswers = {false};
        auto form = FormOf(f.ledger);
        form.startMonth = 5;
        form.periods.lock[4] = 1;
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Declined);
        EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{kQuestion}));
        f.ExpectUntouched();
    }
    {
        // The question comes before the chain check: Yes, then refused all the same. From
        // May the walk ends with the step from March to April.
        Fixture f;
        auto form = FormOf(f.ledger);
        form.startMonth = 5;
        EXPECT_EQ(f.Apply(form), ApplyOutcome::Refused);
        EXPECT_EQ(
            f.dialogs.Log(),
            (std::vector<std::string>{
                kQuestion, "info:確認してください。|4月の締日設定：前月より前になっています"}));
        f.ExpectUntouched();
    }
}

TEST(FiscalSettingsApply, StoresEverythingAndWritesTheSixLines) {
    Fixture f;
    WriteCp932(f.Path(),
               "[OPTION1]=2\n[PRINT_STYLE1]=style\n[FILE_DIR]=/old.exv\n[OTHER]=x\n"
               "[COMPANY_NAME]=旧社名\n");
    auto form = FormOf(f.ledger);
    form.startMonth = 1;
    form.periods = MonthEnd(1, 2025);
    form.periods.lock[1] = 1;
    form.periods.lock[2] = 1;
    form.startYearField = Amount::FromYen(2025);
    form.openingBalanceField = Amount::FromYen(-500);
    form.useTypeIndex = 1;
    form.options.fileDir = " /data/帳簿.exv ";
    form.options.companyName = "　山田商店";
    form.options.negativeInRed = true;
    form.options.fontType = 2;
    form.options.fontSize = 9;
    form.options.startOption = 2;

    EXPECT_EQ(f.Apply(form), ApplyOutcome::Applied);
    EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{kQuestion, kApplied}));
    EXPECT_EQ(f.ledger.startMonth, 1);
    EXPECT_EQ(f.ledger.startYear, 2025);
    EXPECT_EQ(f.ledger.openingBalance, Amount::FromYen(-500));
    EXPECT_EQ(f.ledger.useType, 2);
    EXPECT_EQ(f.ledger.UseTypeName(), "おこづかい帳");
    EXPECT_EQ(f.ledger.periods.start[1], D("2025/01/01"));
    EXPECT_EQ(f.ledger.periods.end[12], D("2025/12/31"));
    EXPECT_EQ(f.ledger.periods.lock[1], 1);
    EXPECT_EQ(f.ledger.periods.lock[2], 1);
    EXPECT_EQ(f.ledger.periods.lock[3], 0);
    EXPECT_TRUE(f.modified);

    TempFolder want;
    WriteCp932(want.File("velmora.conf"),
               "[FILE_DIR]= /data/帳簿.exv \n[COMPANY_NAME]=　山田商店\n[OPTION2]=TRUE\n"
               "[OPTION3]=2\n[FONT_SIZE]=9\n[Start_Opt_1]=2\n[NATIONAL_HOLIDAYS]=TRUE\n");
    EXPECT_EQ(ReadBytes(f.Path()), ReadBytes(want.File("velmora.conf")));
    EXPECT_EQ(ReadBytes(f.Path()).find("[OTHER]"), std::string::npos);
}

class FailingWriter : public FileWriter {
public:
    void WriteAtomic(const std::string&, std::string_view) override {
        throw FileError("ディスクがいっぱいです");
    }
    void Remove(const std::string&) override {}
};

TEST(FiscalSettingsApply, SettingsFileThatCannotBeWrittenChangesNothing) {
    Fixture f;
    FailingWriter failing;
    auto form = FormOf(f.ledger);
    form.periods.lock[4] = 1;
    form.useTypeIndex = 1;
    EXPECT_EQ(f.Apply(form, &failing), ApplyOutcome::WriteFailed);
    EXPECT_EQ(f.dialogs.Infos(),
              (std::vector<std::string>{"確認|" + f.Path() +
                                        "を保存できませんでした。\r\nディスクがいっぱいです"}));
    f.ExpectUntouched();

    // A character the file cannot hold is caught the same way, whatever put it there.
    Fixture g;
    auto bad = FormOf(g.ledger);
    bad.options.companyName = "☕";
    bad.periods.lock[4] = 1;
    EXPECT_EQ(g.Apply(bad), ApplyOutcome::WriteFailed);
    g.ExpectUntouched();
}

}  // namespace
}  // namespace velmora::testing
