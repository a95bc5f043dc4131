#pragma once
// The entry form "出納帳入力": a date from the form's own calendar, an account title from
// the title list or a book picked on a transfer tab, a description and one amount. It
// makes a record for the current book, or changes one record in edit mode. The form
// exists for the whole run: its title list, its continuous-entry check and its calendar
// survive between showings.
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar/calendar.h"
#include "core/entry/description_lists.h"
#include "core/ledger/book.h"
#include "core/ledgerview/view_state.h"
#include "core/session/session.h"
#include "core/util/amount.h"

namespace velmora {

class HolidayList;

inline constexpr const char* kEntryHeading = "出納帳入力";
inline constexpr const char* kEntryEditHeading = "出納帳修正";
inline constexpr const char* kTitlesTabCaption = "科目リスト";
// The first tab's caption while the entry is made in the cash book.
inline constexpr const char* kCashTitlesTabCaption = "科目";
inline constexpr const char* kPettyTabCaption = "小口現金";
inline constexpr const char* kBankTabCaption = "預金帳";
inline constexpr const char* kTitleLabel = "科　目";
inline constexpr const char* kPettyBookLabel = "小口現金帳簿";
inline constexpr const char* kBankBookLabel = "預金出納帳簿";
inline constexpr const char* kContinuousEntryCaption = "連続入力";

inline constexpr const char* kAllBooksEntryRefusal =
    "「全帳簿から検索」が指定されているため、入力・修正はできません。";
inline constexpr const char* kAllMonthsEntryRefusal =
    "ALLが指定されているため、入力・修正はできません。";
// Refusals of changing a stored record.
inline constexpr const char* kLockedChangeMessage =
    "この月のデ－タはロックされていますので入力・修正はできません。";
inline constexpr const char* kChooseRecordMessage = "修正するデータを選択してください。";
// Delete on a row without a record (carry, totals, an empty row).
inline constexpr const char* kChooseRecordToDeleteMessage = "削除するデータを選択してください。";
inline constexpr const char* kTransferEditMessage = "転記データです。元帳簿で修正してください。";

// Esc (or "閉じる") while a description or an amount is typed but not registered.
inline constexpr const char* kUnregisteredEntryQuestion =
    "入力中のデータは登録されていません。入力を破棄して閉じますか？";

enum class EntryMode { New = 0, Edit = 1 };

struct EntryForm {
    // `s_year`, `s_Month`, `s_day`: "yyyy", "mm", "dd" of the entry date.
    std::string yearText, monthText, dayText;
    CalendarState calendar;  // the form's calendar; its selected date is the entry date
    std::string title;       // `dkamoku`: a picked title, or a picked book's name
    std::string titleLabel = kTitleLabel;
    std::string description;  // `dtekiyou`
    Amount income;            // `dkingaku`
    Amount expense;           // `gkingaku`

    EntryMode mode = EntryMode::New;
    int recordIndex = -1;    // the edited line of the transaction list
    std::string storedDate;  // the edited record's date text before editing
    BookId ownBook;          // status panels 0 and 1
    BookId otherBook;        // status panels 2 and 3; empty for a new record

    EntryTab tab = EntryTab::Titles;
    std::string firstTabCaption = kTitlesTabCaption;
    // `ListBox1`: the title file's lines, empty slots included, so that item n - 1 is
    // slot n and picks description list n.
    std::vector<std::string> titleList;
    std::vector<std::string> pettyList;  // `ListBox2`
    std::vector<std::string> bankList;   // `ListBox3`
    int titleItem = -1;                  // selected items; -1 for none
    int pettyItem = -1;
    int bankItem = -1;
    DescriptionCells cells;  // the quick descriptions of the active tab

    bool continuousEntry = true;  // "連続入力"
    std::string dateHint;         // the tooltip of `label6`: the last record's date

    // The item selected in the list of the active tab; -1 for none.
    int SelectedItem() const;
    // The form's title and heading: "出納帳入力", or in edit mode "出納帳修正" with the
    // edited record's date, so that an edit is never taken for a new entry.
    std::string Caption() const;
};

// The titles of the use type's title file (at start and after the titles changed); a
// file that cannot be read is reported and gives an empty list.
void ReloadEntryTitles(Session& session, EntryForm& form);

// The date fields and the form's calendar show d: the entry date becomes d.
void ShowEntryDate(EntryForm& form, Date d);

// Each time the form is shown: the date of its calendar, an empty description grid, the
// last record's date as hint, the transfer lists of the own book, and the tab. A new
// entry starts with no title, description or amounts; an edited transfer opens on its
// transfer tab with the other book picked, an edited ordinary record on the titles tab
// with its title picked.
void ShowEntryForm(Session& session, EntryForm& form);

// "出納帳データ入力" (F5). Refused in the all-books view and on the "ALL" tab. Otherwise
// every search ends as with "検索解除", and the form is shown for a new record of the
// current book on the main calendar's date. (The window also clears the selection of its
// own title list.) True when the form is to be shown.
bool NewEntryCommand(Session& session, ViewState& view, EntryForm& form);

// A click on a title of the title list: it becomes the title and its description list
// fills the grid.
void ClickTitle(Session& session, EntryForm& form, int item);
// The title picked by its text as a click on it picks it (velmora-cli, scripts); false,
// with nothing changed, when the list does not hold it.
bool PickTitle(Session& session, EntryForm& form, const std::string& title);
// A click on a book of the petty-cash or bank list: its name becomes the title.
void ClickBook(EntryForm& form, EntryTab tab, int item);
// Another tab: title and description are cleared and the label above the title names
// what the tab picks; the titles tab takes its selected title again, the transfer tabs
// load their own description file.
void ChangeEntryTab(Session& session, EntryForm& form, EntryTab tab);

// A click on a description cell takes its text as the description; the expense field
// then gets the focus (true). The hidden column only beeps (false).
bool ClickDescriptionCell(Session& session, EntryForm& form, int column, int row);
// A double-click registers a new text for the cell in the active tab's description file.
bool DoubleClickDescriptionCell(Session& session, EntryForm& form, int column, int row);

// Whether the form may close: without a typed description or amount at once, else after
// the question (Yes closes).
bool ConfirmCloseEntry(Session& session, const EntryForm& form);

// "<<" (-1) and ">>" (+1): the first day of the month before or after.
void StepEntryCalendar(EntryForm& form, int delta);
// "今日:".
void EntryCalendarToday(const Session& session, EntryForm& form);
// A click on the day panel showing dayNumber of the drawn month (0, the panels of other
// months, does nothing). With Shift held the day's holiday mark is toggled first.
void ClickEntryDay(Session& session, EntryForm& form, HolidayList& holidays, int dayNumber,
                   bool shift);

}  // namespace velmora
