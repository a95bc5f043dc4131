#pragma once
// The state of the settings dialog "環境設定": the fiscal period with its twelve periods
// and locks, the start month and year, the cash book's opening balance, the use type and
// the environment options of the settings file. The window only lays these out; every
// button's work is here.
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/ledger/periods.h"
#include "core/platform/dialogs.h"
#include "core/settings/settings_file.h"
#include "core/util/amount.h"

namespace velmora {

// The heading of the dialog's own information boxes.
inline constexpr const char* kVersionHeading = "現金出納帳-Velmora Version5";

inline constexpr const char* kMonthEndQuestion = "月末締に自動設定をしますか？";
inline constexpr const char* kFromStartQuestion = "開始月を基準に自動設定をしますか？";
inline constexpr const char* kLateClosingDayMessage =
    "28日以降の場合は自動設定できません。各月をクリックして設定して下さい";

// One row of the period table: label "k月度", start, end and lock box of period month.
struct PeriodRowPlace {
    int month = 0;
    int top = 0;  // pixels from the top of the period group
    std::string label;
};

class FiscalSettingsForm {
public:
    // "Show": the ledger's fiscal values and use type, and the options of the settings
    // file read untrimmed (defaults when it is missing). A file that cannot be read is
    // reported and its defaults shown.
    static FiscalSettingsForm Show(const Ledger& ledger, const std::string& settingsPath,
                                   Dialogs& dialogs);

    Periods periods;             // s1..s12, e1..e12; lock[k] = 1 when l k is checked
    int startMonth = 1;          // the checked button month_1 .. month_12
    Amount startYearField;       // NValEdit2 (its numeric value)
    Amount openingBalanceField;  // NValEdit1
    int useTypeIndex = 0;        // opt1: 0 現金出納帳, 1 おこづかい帳
    Settings options;            // opt2, opt3, font_pt, start_opt_1, wdir, company_name
    bool applied = false;        // "適用(&A)" stored the form

    // The rows top to bottom in fiscal order from the checked start month.
    std::vector<PeriodRowPlace> Rows() const;
    // The period fields' object names in keyboard order: "periodStart4", "periodEnd4",
    // "periodStart5", ... then "periodLock4", "periodLock5", ...
    std::vector<std::string> TabOrder() const;

    // The start year as the period rules read it: the field cut to a whole number.
    int StartYear() const;

    // Every period from the 1st to the last day of its calendar month, twelve months from
    // the checked start month of the start year.
    void SetMonthEndPeriods();
    // A start-month button was clicked: the rows follow it and the periods become
    // calendar months at once.
    void ClickStartMonth(int month);
    // "自動設定（月末締）": asks first. True when the periods were set.
    bool AutoSetMonthEnd(Dialogs& dialogs);
    // "自動設定(任意)": asks first, then repeats the closing day of the start month's
    // period through the year. A period starting or ending after the 28th stops it with a
    // message; periods set before that stay set. True when all eleven were set.
    bool AutoSetFromStartMonth(Dialogs& dialogs);

    // "指　定": the chosen ledger file becomes the file to load. False when cancelled or
    // refused.
    bool ChooseFileToLoad(Dialogs& dialogs);
    // Typed texts the settings file must hold; a character CP932 lacks is refused.
    bool SetFileToLoad(const std::string& path, Dialogs& dialogs);
    bool SetCompanyName(const std::string& name, Dialogs& dialogs);
    // start_opt_1: 1 the file used last, 2 the file named in wdir.
    void ChooseStartOption(int option) { options.startOption = option; }
    // "指　定" and wdir can be used only with the second start option.
    bool FileChoiceEnabled() const { return options.startOption == 2; }

    int UseType() const { return useTypeIndex + 1; }
};

}  // namespace velmora
