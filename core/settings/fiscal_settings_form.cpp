#include "core/settings/fiscal_settings_form.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "core/util/codepage.h"

namespace velmora {
namespace {

constexpr int kFirstRowTop = 20;
constexpr int kRowStep = 30;

// The settings file is CP932: a text it cannot hold is refused where it is entered
// rather than failing when the dialog is applied.
bool Cp932Accepted(const std::string& text, Dialogs& dialogs) {
    std::string bad = FirstNonCp932Character(text);
    if (bad.empty()) return true;
    dialogs.ShowInfo("確認", "「" + bad + "」はCP932(Shift_JIS)で保存できない文字です。");
    return false;
}

}  // namespace

FiscalSettingsForm FiscalSettingsForm::Show(const Ledger& ledger, const std::string& settingsPath,
                                            Dialogs& dialogs) {
    FiscalSettingsForm form;
    form.periods = ledger.periods;
    // A start month outside 1..12 would check no button and walk no valid order.
    form.startMonth = ledger.startMonth >= 1 && ledger.startMonth <= 12 ? ledger.startMonth : 1;
    form.openingBalanceField = ledger.openingBalance;
    form.startYearField = Amount::FromYen(ledger.startYear);
    try {
        form.options = ReadSettingsFile(settingsPath, false);
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
    }
    // The ledger's use type wins over any [OPTION1] line; every use type but 1 names the
    // cash book おこづかい帳.
    form.useTypeIndex = ledger.useType == 1 ? 0 : 1;
    return form;
}

std::vector<PeriodRowPlace> FiscalSettingsForm::Rows() const {
    std::vector<PeriodRowPlace> rows;
    for (int i = 0; i < 12; ++i) {
        int month = FiscalMonthAt(startMonth, i);
        rows.push_back({month, kFirstRowTop + kRowStep * i, std::to_string(month) + "月度"});
    }
    return rows;
}

std::vector<std::string> FiscalSettingsForm::TabOrder() const {
    std::vector<std::string> order;
    for (const auto& row : Rows()) {
        order.push_back("periodStart" + std::to_string(row.month));
        order.push_back("periodEnd" + std::to_string(row.month));
    }
    for (const auto& row : Rows()) order.push_back("periodLock" + std::to_string(row.month));
    return order;
}

int FiscalSettingsForm::StartYear() const {
    // Kept within four-digit years so that the dates built from it stay dates.
    return static_cast<int>(std::clamp<std::int64_t>(startYearField.TruncatedYen(), 1, 9999));
}

void FiscalSettingsForm::SetMonthEndPeriods() {
    int month = startMonth;
    int year = StartYear();
    for (int i = 0; i < 12; ++i) {
        periods.start[month] = Date::FromYmd(year, month, 1);
        periods.end[month] = Date::FromYmd(year, month, DaysInMonth(year, month));
        if (month == 12) {
            month = 1;
            ++year;
        } else {
            ++month;
        }
    }
}

void FiscalSettingsForm::ClickStartMonth(int month) {
    if (month < 1 || month > 12) return;
    startMonth = month;
    SetMonthEndPeriods();
}

bool FiscalSettingsForm::AutoSetMonthEnd(Dialogs& dialogs) {
    if (!dialogs.AskYesNo(kAppTitle, kAppTitle, kMonthEndQuestion)) return false;
    SetMonthEndPeriods();
    return true;
}

bool FiscalSettingsForm::AutoSetFromStartMonth(Dialogs& dialogs) {
    if (!dialogs.AskYesNo(kAppTitle, kAppTitle, kFromStartQuestion)) return false;
    int current = startMonth;
    for (int step = 0; step < 11; ++step) {
        // A closing day the shorter months lack cannot repeat through the year.
        if (periods.start[current].Day() > 28 || periods.end[current].Day() > 28) {
            dialogs.ShowInfo(kVersionHeading, kLateClosingDayMessage);
            return false;
        }
        int next = current % 12 + 1;
        periods.start[next] = periods.end[current].AddDays(1);
        periods.end[next] = periods.end[current].AddMonths(1);
        current = next;
    }
    return true;
}

bool FiscalSettingsForm::ChooseFileToLoad(Dialogs& dialogs) {
    auto chosen = dialogs.AskOpenFile(
        FileDialogRequest{"", "exv", "現金出納帳-Velmora Version5(*.exv)|*.exv", "", ""});
    if (!chosen) return false;
    return SetFileToLoad(*chosen, dialogs);
}

bool FiscalSettingsForm::SetFileToLoad(const std::string& path, Dialogs& dialogs) {
    if (!Cp932Accepted(path, dialogs)) return false;
    options.fileDir = path;
    return true;
}

bool FiscalSettingsForm::SetCompanyName(const std::string& name, Dialogs& dialogs) {
    if (!Cp932Accepted(name, dialogs)) return false;
    options.companyName = name;
    return true;
}

}  // namespace velmora
