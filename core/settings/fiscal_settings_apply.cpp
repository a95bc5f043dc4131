#include "core/settings/fiscal_settings_apply.h"

#include <algorithm>
#include <exception>

#include "core/settings/settings_file.h"

namespace velmora {
namespace {

bool AnyDateInLeapYear(const Periods& periods) {
    for (int k = 1; k <= 12; ++k)
        if (IsLeapYear(periods.start[k].Year()) || IsLeapYear(periods.end[k].Year())) return true;
    return false;
}

void StoreFiscalValues(const FiscalSettingsForm& form, Ledger& ledger) {
    for (int k = 1; k <= 12; ++k) {
        ledger.periods.start[k] = form.periods.start[k];
        ledger.periods.end[k] = form.periods.end[k];
        ledger.periods.lock[k] = form.periods.lock[k] == 1 ? 1 : 0;
    }
    ledger.startMonth = form.startMonth;
    ledger.openingBalance = Amount::FromYen(form.openingBalanceField.TruncatedYen());
    ledger.startYear = static_cast<int>(form.startYearField.TruncatedYen());
    ledger.useType = form.UseType();
}

bool StartValuesChanged(const FiscalSettingsForm& form, const Ledger& ledger) {
    return Amount::FromYen(form.openingBalanceField.TruncatedYen()) != ledger.openingBalance ||
           form.startMonth != ledger.startMonth;
}

}  // namespace

std::optional<std::string> StartYearProblem(Amount startYearField) {
    if (startYearField > Amount::FromYen(2100)) return "開始年度が大きすぎます。";
    if (startYearField < Amount::FromYen(1900)) return "開始年度が小さすぎます。";
    return std::nullopt;
}

std::optional<std::string> SpanProblem(const Periods& periods) {
    Date earliest = periods.start[1];
    Date latest = periods.end[1];
    for (int k = 2; k <= 12; ++k) {
        earliest = std::min(earliest, periods.start[k]);
        latest = std::max(latest, periods.end[k]);
    }
    const int allowance = AnyDateInLeapYear(periods) ? 366 : 365;
    if (latest - earliest <= allowance) return std::nullopt;
    return "1年以上の期間が設定されています。\r\n" + earliest.ShortText() + "～" +
           latest.ShortText();
}

std::optional<std::string> ChainProblem(const Periods& periods, int startMonth) {
    for (int i = 0; i < 12; ++i) {
        const int k = FiscalMonthAt(startMonth, i);
        if (periods.start[k] > periods.end[k])
            return std::to_string(k) + "月の締日設定：開始日が終了日より後になっています";
        if (i == 11) break;
        const int j = FiscalMonthAt(startMonth, i + 1);
        // Starting on the day the previous period ends is accepted.
        if (periods.start[j] < periods.end[k])
            return std::to_string(j) + "月の締日設定：前月より前になっています";
    }
    return std::nullopt;
}

ApplyOutcome ApplyFiscalSettings(const FiscalSettingsForm& form, FiscalApplyTarget target) {
    auto refuse = [&target](const std::string& text) {
        target.dialogs.ShowInfo(kFiscalCheckHeading, text);
        return ApplyOutcome::Refused;
    };
    if (auto problem = StartYearProblem(form.startYearField)) return refuse(*problem);
    if (auto problem = SpanProblem(form.periods)) return refuse(*problem);
    if (StartValuesChanged(form, target.ledger) &&
        !target.dialogs.AskYesNo(kAppTitle, kAppTitle, kStartChangeQuestion))
        return ApplyOutcome::Declined;
    if (auto problem = ChainProblem(form.periods, form.startMonth)) return refuse(*problem);

    // The settings file goes first: when it cannot be written the ledger stays as it was
    // and the dialog stays open, so nothing is half applied.
    try {
        WriteTextLines(target.settingsPath, SettingsFileLines(form.options), target.writer);
    } catch (const std::exception& error) {
        target.dialogs.ShowInfo(
            "確認", target.settingsPath + "を保存できませんでした。\r\n" + error.what());
        return ApplyOutcome::WriteFailed;
    }
    StoreFiscalValues(form, target.ledger);
    target.modified = true;
    target.dialogs.ShowInfo(kVersionHeading, kSettingsAppliedMessage);
    return ApplyOutcome::Applied;
}

}  // namespace velmora
