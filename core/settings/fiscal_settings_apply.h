#pragma once
// "適用(&A)" of the settings dialog: the checks in their fixed order, then the fiscal
// values into the ledger, the settings file rewritten, the use type and the modified flag.
#include <optional>
#include <string>

#include "core/ledger/ledger.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/settings/fiscal_settings_form.h"

namespace velmora {

// The heading of every refusal of the checks.
inline constexpr const char* kFiscalCheckHeading = "確認してください。";
inline constexpr const char* kStartChangeQuestion = "開始月、開始残高を変更していいですか？";
inline constexpr const char* kSettingsAppliedMessage = "環境設定を登録しました。";

enum class ApplyOutcome {
    Applied,      // stored; the dialog closes
    Refused,      // a check failed; nothing changed, the dialog stays open
    Declined,     // the start month / opening balance question was answered No
    WriteFailed,  // the settings file could not be written; nothing changed
};

// What applying changes.
struct FiscalApplyTarget {
    Ledger& ledger;
    bool& modified;
    Dialogs& dialogs;
    FileWriter& writer;
    std::string settingsPath;
};

// The checks one by one, each giving its refusal text or nothing when it passes.
std::optional<std::string> StartYearProblem(Amount startYearField);
// The span from the earliest start to the latest end may not exceed a year: 366 days
// when any of the 24 dates lies in a leap year, else 365.
std::optional<std::string> SpanProblem(const Periods& periods);
// In fiscal order from startMonth: each period starts on or before its end, and each
// starts no earlier than the previous one ends.
std::optional<std::string> ChainProblem(const Periods& periods, int startMonth);

ApplyOutcome ApplyFiscalSettings(const FiscalSettingsForm& form, FiscalApplyTarget target);

}  // namespace velmora
