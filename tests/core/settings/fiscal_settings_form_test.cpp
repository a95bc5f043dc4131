// The settings dialog's fields: what it shows, how its rows are arranged, and what its
// auto-setting, start-month and file buttons do to the periods and options.
#include "core/settings/fiscal_settings_form.h"

#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

Date D(const char* text) {
    return Date::Parse(text);
}

std::string PeriodText(const Periods& p, int k) {
    return p.start[k].ShortText() + "-" + p.end[k].ShortText();
}

// A fiscal year 2024 from April with month-end periods.
Ledger AprilLedger() {
    Ledger ledger;
    ledger.startMonth = 4;
    ledger.startYear = 2024;
    ledger.openingBalance = Amount::FromYen(10000);
    for (int k = 1; k <= 12; ++k) {
        int year = k >= 4 ? 2024 : 2025;
        ledger.periods.start[k] = Date::FromYmd(year, k, 1);
        ledger.periods.end[k] = Date::FromYmd(year, k, DaysInMonth(year, k));
    }
    return ledger;
}

TEST(FiscalSettingsForm, ShowTakesTheLedgerAndTheUntrimmedSettingsFile) {
    TempFolder folder;
    WriteCp932(folder.File("velmora.conf"),
               "[FILE_DIR]= /data/a.exv \n[COMPANY_NAME]=　山田商店 \n[OPTION2]=TRUE\n"
               "[OPTION3]=2\n[FONT_SIZE]=12\n[Start_Opt_1]=2\n[OPTION1]=1\n[OPTION2]=TRUE \n");
    Ledger ledger = AprilLedger();
    ledger.useType = 2;
    ledger.periods.lock[5] = 1;
    ScriptedDialogs dialogs;

    auto form = FiscalSettingsForm::Show(ledger, folder.File("velmora.conf"), dialogs);
    EXPECT_EQ(PeriodText(form.periods, 4), "2024/04/01-2024/04/30");
    EXPECT_EQ(PeriodText(form.periods, 3), "2025/03/01-2025/03/31");
    EXPECT_EQ(form.periods.lock[5], 1);
    EXPECT_EQ(form.periods.lock[4], 0);
    EXPECT_EQ(form.startMonth, 4);
    EXPECT_EQ(form.startYearField, Amount::FromYen(2024));
    EXPECT_EQ(form.openingBalanceField, Amount::FromYen(10000));
    // The ledger's use type wins over the [OPTION1] line.
    EXPECT_EQ(form.useTypeIndex, 1);
    EXPECT_EQ(form.UseType(), 2);
    EXPECT_EQ(form.options.fileDir, " /data/a.exv ");
    EXPECT_EQ(form.options.companyName, "　山田商店 ");
    EXPECT_TRUE(form.options.negativeInRed);
    EXPECT_EQ(form.options.fontType, 2);
    EXPECT_EQ(form.options.fontSize, 12);
    EXPECT_EQ(form.options.startOption, 2);
    EXPECT_TRUE(form.FileChoiceEnabled());
    form.ChooseStartOption(1);
    EXPECT_FALSE(form.FileChoiceEnabled());
    EXPECT_TRUE(dialogs.events.empty());

    // Without a settings file the options keep their defaults.
    ledger.useType = 1;
    auto plain = FiscalSettingsForm::Show(ledger, folder.File("none.conf"), dialogs);
    EXPECT_EQ(plain.options, Settings{});
    EXPECT_EQ(plain.useTypeIndex, 0);
    EXPECT_FALSE(plain.FileChoiceEnabled());
}

TEST(FiscalSettingsForm, RowsFollowTheStartMonthInFiscalOrder) {
    FiscalSettingsForm form;
    form.startMonth = 4;
    auto rows = form.Rows();
    ASSERT_EQ(rows.size(), 12u);
    std::vector<int> months;
    for (const auto& row : rows) months.push_back(row.month);
    EXPECT_EQ(months, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}));
    EXPECT_EQ(rows[0].top, 20);
    EXPECT_EQ(rows[1].top, 50);
    EXPECT_EQ(rows[11].top, 350);
    EXPECT_EQ(rows[0].label, "4月度");
    EXPECT_EQ(rows[9].label, "1月度");

    auto order = form.TabOrder();
    ASSERT_EQ(order.size(), 36u);
    EXPECT_EQ(order[0], "periodStart4");
    EXPECT_EQ(order[1], "periodEnd4");
    EXPECT_EQ(order[2], "periodStart5");
    EXPECT_EQ(order[23], "periodEnd3");
    EXPECT_EQ(order[24], "periodLock4");
    EXPECT_EQ(order[35], "periodLock3");

    form.startMonth = 1;
    EXPECT_EQ(form.Rows().front().month, 1);
    EXPECT_EQ(form.Rows().back().month, 12);
}

TEST(FiscalSettingsForm, ClickingAStartMonthSetsCalendarMonthsWithoutAQuestion) {
    FiscalSettingsForm form;
    form.periods = Periods::CalendarYear(2010);
    form.periods.lock[6] = 1;
    form.startYearField = Amount::FromYen(2024);
    ScriptedDialogs dialogs;

    form.ClickStartMonth(4);
    EXPECT_EQ(form.startMonth, 4);
    EXPECT_EQ(form.Rows().front().month, 4);
    EXPECT_EQ(PeriodText(form.periods, 4), "2024/04/01-2024/04/30");
    EXPECT_EQ(PeriodText(form.periods, 12), "2024/12/01-2024/12/31");
    EXPECT_EQ(PeriodText(form.periods, 1), "2025/01/01-2025/01/31");
    EXPECT_EQ(PeriodText(form.periods, 2), "2025/02/01-2025/02/28");
    EXPECT_EQ(PeriodText(form.periods, 3), "2025/03/01-2025/03/31");
    EXPECT_EQ(form.periods.lock[6], 1);  // locks are not touched
    EXPECT_TRUE(dialogs.events.empty());

    // The start year is cut to a whole number; February of a leap year has 29 days.
    form.startYearField = Amount::Parse("2023.9");
    form.ClickStartMonth(11);
    EXPECT_EQ(PeriodText(form.periods, 11), "2023/11/01-2023/11/30");
    EXPECT_EQ(PeriodText(form.periods, 2), "2024/02/01-2024/02/29");
    EXPECT_EQ(PeriodText(form.periods, 10), "2024/10/01-2024/10/31");
}

TEST(FiscalSettingsForm, MonthEndButtonAsksFirst) {
    FiscalSettingsForm form;
    form.periods = Periods::CalendarYear(2010);
    form.startMonth = 7;
    form.startYearField = Amount::FromYen(2020);
    ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {false, true};

    EXPECT_FALSE(form.AutoSetMonthEnd(dialogs));
    EXPECT_EQ(PeriodText(form.periods, 7), "2010/07/01-2010/07/31");
    EXPECT_TRUE(form.AutoSetMonthEnd(dialogs));
    EXPECT_EQ(PeriodText(form.periods, 7), "2020/07/01-2020/07/31");
    EXPECT_EQ(PeriodText(form.periods, 6), "2021/06/01-2021/06/30");
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|月末締に自動設定をしますか？",
                  "yesno:現金出納帳5-Velmora Version5|月末締に自動設定をしますか？"}));
}

TEST(FiscalSettingsForm, FromStartMonthRepeatsTheClosingDay) {
    FiscalSettingsForm form;
    form.periods = Periods::CalendarYear(2024);
    form.startMonth = 4;
    form.periods.start[4] = D("2024/03/21");
    form.periods.end[4] = D("2024/04/20");
    ScriptedDialogs dialogs;

    EXPECT_TRUE(form.AutoSetFromStartMonth(dialogs));
    EXPECT_EQ(PeriodText(form.periods, 4), "2024/03/21-2024/04/20");
    EXPECT_EQ(PeriodText(form.periods, 5), "2024/04/21-2024/05/20");
    EXPECT_EQ(PeriodText(form.periods, 12), "2024/11/21-2024/12/20");
    EXPECT_EQ(PeriodText(form.periods, 1), "2024/12/21-2025/01/20");
    EXPECT_EQ(PeriodText(form.periods, 2), "2025/01/21-2025/02/20");
    EXPECT_EQ(PeriodText(form.periods, 3), "2025/02/21-2025/03/20");
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|開始月を基準に自動設定をしますか？"}));

    // Answering No changes nothing.
    FiscalSettingsForm declined = form;
    declined.periods.end[4] = D("2024/04/10");
    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(declined.AutoSetFromStartMonth(dialogs));
    EXPECT_EQ(PeriodText(declined.periods, 5), "2024/04/21-2024/05/20");
}

TEST(FiscalSettingsForm, FromStartMonthRefusesClosingDaysAfterThe28th) {
    const std::vector<std::string> refusal = {
        "yesno:現金出納帳5-Velmora Version5|開始月を基準に自動設定をしますか？",
        "info:現金出納帳-Velmora Version5|"
        "28日以降の場合は自動設定できません。各月をクリックして設定して下さい"};
    for (const char* end : {"2024/04/29", "2024/04/30", "2024/05/31"}) {
        FiscalSettingsForm form;
        form.periods = Periods::CalendarYear(2024);
        form.startMonth = 4;
        form.periods.start[4] = D("2024/04/01");
        form.periods.end[4] = D(end);
        ScriptedDialogs dialogs;
        EXPECT_FALSE(form.AutoSetFromStartMonth(dialogs)) << end;
        EXPECT_EQ(dialogs.Log(), refusal) << end;
        EXPECT_EQ(PeriodText(form.periods, 5), "2024/05/01-2024/05/31") << end;
    }

    // A start after the 28th is refused as well.
    FiscalSettingsForm lateStart;
    lateStart.periods = Periods::CalendarYear(2024);
    lateStart.startMonth = 4;
    lateStart.periods.start[4] = D("2024/03/29");
    lateStart.periods.end[4] = D("2024/04/20");
    ScriptedDialogs dialogs;
    EXPECT_FALSE(lateStart.AutoSetFromStartMonth(dialogs));
    EXPECT_EQ(PeriodText(lateStart.periods, 5), "2024/05/01-2024/05/31");

    // Closing on the 28th sets the next period, whose start is then the 29th: it stops
    // there, and the period already set stays set.
    FiscalSettingsForm on28;
    on28.periods = Periods::CalendarYear(2024);
    on28.startMonth = 4;
    on28.periods.end[4] = D("2024/04/28");
    dialogs.Clear();
    EXPECT_FALSE(on28.AutoSetFromStartMonth(dialogs));
    EXPECT_EQ(PeriodText(on28.periods, 5), "2024/04/29-2024/05/28");
    EXPECT_EQ(PeriodText(on28.periods, 6), "2024/06/01-2024/06/30");
    EXPECT_EQ(dialogs.Log(), refusal);
}

TEST(FiscalSettingsForm, FileChoiceAndTypedTextsTheSettingsFileCanHold) {
    FiscalSettingsForm form;
    ScriptedDialogs dialogs;
    dialogs.openAnswers = {std::nullopt, std::string("/home/u/帳簿.exv")};

    EXPECT_FALSE(form.ChooseFileToLoad(dialogs));
    EXPECT_EQ(form.options.fileDir, "");
    EXPECT_TRUE(form.ChooseFileToLoad(dialogs));
    EXPECT_EQ(form.options.fileDir, "/home/u/帳簿.exv");
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].defaultExtension, "exv");
    EXPECT_EQ(dialogs.fileRequests[0].filter, "現金出納帳-Velmora Version5(*.exv)|*.exv");

    dialogs.Clear();
    EXPECT_FALSE(form.SetCompanyName("カフェ☕", dialogs));
    EXPECT_FALSE(form.SetFileToLoad("/tmp/☕.exv", dialogs));
    EXPECT_EQ(form.options.companyName, "");
    EXPECT_EQ(form.options.fileDir, "/home/u/帳簿.exv");
    EXPECT_EQ(dialogs.Infos(),
              (std::vector<std::string>{"確認|「☕」はCP932(Shift_JIS)で保存できない文字です。",
                                        "確認|「☕」はCP932(Shift_JIS)で保存できない文字です。"}));
    EXPECT_TRUE(form.SetCompanyName("　株式会社①", dialogs));
    EXPECT_EQ(form.options.companyName, "　株式会社①");
}

}  // namespace
}  // namespace velmora::testing
