#include "core/entry/entry_form.h"

#include <algorithm>

#include "core/calendar/holidays.h"
#include "core/ledger/record.h"
#include "core/ledgerview/search_commands.h"
#include "core/session/book_commands.h"
#include "core/settings/title_lists.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

int IndexIn(const std::vector<std::string>& list, const std::string& text) {
    auto it = std::find(list.begin(), list.end(), text);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

bool InRange(const std::vector<std::string>& list, int item) {
    return item >= 0 && item < static_cast<int>(list.size());
}

// The books a transfer can go to from the own book: the registry of kind without the own
// book, led by the cash book's name when the own book is of that kind.
std::vector<std::string> TransferList(const Session& session, std::string_view kind,
                                      const BookId& own) {
    std::vector<std::string> list;
    const bool ownKind = own.kind == kind;
    if (ownKind) list.push_back(session.ledger.UseTypeName());
    for (auto& name : BookNames(session, std::string(kind)))
        if (!ownKind || name != own.name) list.push_back(std::move(name));
    return list;
}

std::string LastRecordDate(const Session& session) {
    const LineList& list = session.ledger.transactions;
    if (list.Count() == 0) return session.clock().Today().ShortText();
    return std::string(RecordSplit(list[list.Count() - 1])[kFieldDate]);
}

// A transfer tab with the other book picked. Its description file is loaded as well, so
// that a cell registered from here starts from what the file holds, not from an empty
// grid.
void OpenTransferTab(Session& session, EntryForm& form, EntryTab tab) {
    const bool petty = tab == EntryTab::PettyCash;
    form.tab = tab;
    form.title = form.otherBook.name;
    form.titleLabel = petty ? kPettyBookLabel : kBankBookLabel;
    int& item = petty ? form.pettyItem : form.bankItem;
    item = IndexIn(petty ? form.pettyList : form.bankList, form.otherBook.name);
    form.cells = LoadDescriptionCells(session, tab, 0);
}

void ChooseShownTab(Session& session, EntryForm& form) {
    form.firstTabCaption =
        form.ownBook.kind == kCashKind ? kCashTitlesTabCaption : kTitlesTabCaption;
    form.tab = EntryTab::Titles;
    if (form.mode != EntryMode::Edit) return;
    const BookId& own = form.ownBook;
    const BookId& other = form.otherBook;
    if (other != own) {
        const bool cashOther = other.kind == kCashKind;
        if (other.kind == kPettyKind || (cashOther && own.kind == kPettyKind)) {
            OpenTransferTab(session, form, EntryTab::PettyCash);
            return;
        }
        if (other.kind == kBankKind || (cashOther && own.kind == kBankKind)) {
            OpenTransferTab(session, form, EntryTab::Bank);
            return;
        }
    }
    // An empty title would pick an empty slot of the list.
    const int item = form.title.empty() ? -1 : IndexIn(form.titleList, form.title);
    form.titleItem = item;
    form.titleLabel = kTitleLabel;
    form.cells = LoadDescriptionCells(session, EntryTab::Titles, item);
}

}  // namespace

std::string EntryForm::Caption() const {
    if (mode == EntryMode::New) return kEntryHeading;
    return std::string(kEntryEditHeading) + "　" + storedDate;
}

int EntryForm::SelectedItem() const {
    switch (tab) {
        case EntryTab::Titles:
            return titleItem;
        case EntryTab::PettyCash:
            return pettyItem;
        case EntryTab::Bank:
            return bankItem;
    }
    return -1;
}

void ReloadEntryTitles(Session& session, EntryForm& form) {
    form.titleList =
        ReloadTitleList(session.workingFolder(), session.ledger.useType, session.dialogs());
    form.titleItem = -1;
}

void ShowEntryDate(EntryForm& form, Date d) {
    form.calendar.Show(d);
    form.yearText = FormatDate("yyyy", d);
    form.monthText = FormatDate("mm", d);
    form.dayText = FormatDate("dd", d);
}

void ShowEntryForm(Session& session, EntryForm& form) {
    ShowEntryDate(form, form.calendar.selected);
    form.cells = {};
    form.dateHint = LastRecordDate(session);
    if (form.mode == EntryMode::New) {
        form.title.clear();
        form.description.clear();
        form.income = Amount();
        form.expense = Amount();
        // With the title cleared a selection left from the last entry would let a
        // double-click write the emptied grid over that title's description file.
        form.titleItem = -1;
    }
    form.pettyList = TransferList(session, kPettyKind, form.ownBook);
    form.bankList = TransferList(session, kBankKind, form.ownBook);
    form.pettyItem = -1;
    form.bankItem = -1;
    ChooseShownTab(session, form);
}

bool NewEntryCommand(Session& session, ViewState& view, EntryForm& form) {
    if (session.allBooks) {
        session.dialogs().ShowInfo("確認", kAllBooksEntryRefusal);
        return false;
    }
    if (session.currentMonth == 13) {
        session.dialogs().ShowInfo("確認", kAllMonthsEntryRefusal);
        return false;
    }
    ClearSearches(session, view);
    form.mode = EntryMode::New;
    form.recordIndex = -1;
    form.storedDate.clear();
    form.calendar.Show(view.calendar.selected);
    form.ownBook = session.currentBook;
    form.otherBook = BookId{};
    ShowEntryForm(session, form);
    return true;
}

void ClickTitle(Session& session, EntryForm& form, int item) {
    if (!InRange(form.titleList, item)) return;
    form.titleItem = item;
    form.title = form.titleList[static_cast<std::size_t>(item)];
    form.titleLabel = kTitleLabel;
    form.cells = LoadDescriptionCells(session, EntryTab::Titles, item);
}

void ClickBook(EntryForm& form, EntryTab tab, int item) {
    if (tab == EntryTab::Titles) return;
    const bool petty = tab == EntryTab::PettyCash;
    const std::vector<std::string>& list = petty ? form.pettyList : form.bankList;
    if (!InRange(list, item)) return;
    (petty ? form.pettyItem : form.bankItem) = item;
    form.title = list[static_cast<std::size_t>(item)];
    form.titleLabel = petty ? kPettyBookLabel : kBankBookLabel;
}

void ChangeEntryTab(Session& session, EntryForm& form, EntryTab tab) {
    form.tab = tab;
    form.title.clear();
    form.description.clear();
    if (tab == EntryTab::Titles) {
        form.cells = {};
        if (form.titleItem >= 0) ClickTitle(session, form, form.titleItem);
        return;
    }
    // The transfer tabs have one file each, whichever book is picked.
    form.cells = LoadDescriptionCells(session, tab, 0);
}

bool ClickDescriptionCell(Session& session, EntryForm& form, int column, int row) {
    const int index = DescriptionCellIndex(column, row);
    if (index < 0) {
        session.dialogs().Beep();
        return false;
    }
    form.description = form.cells[static_cast<std::size_t>(index)];
    return true;
}

bool DoubleClickDescriptionCell(Session& session, EntryForm& form, int column, int row) {
    return RegisterDescription(session, form.tab, form.SelectedItem(), form.cells,
                               DescriptionCellIndex(column, row));
}

bool ConfirmCloseEntry(Session& session, const EntryForm& form) {
    const bool typed =
        !WideTrim(form.description).empty() || form.income != Amount() || form.expense != Amount();
    return !typed || session.dialogs().AskYesNo(kAppTitle, kAppTitle, kUnregisteredEntryQuestion);
}

void StepEntryCalendar(EntryForm& form, int delta) {
    // The entry form's calendar has no year limits, so a month is always found.
    if (auto first = SteppedMonth(form.calendar, delta, false)) ShowEntryDate(form, *first);
}

void EntryCalendarToday(const Session& session, EntryForm& form) {
    ShowEntryDate(form, session.clock().Today());
}

void ClickEntryDay(Session& session, EntryForm& form, HolidayList& holidays, int dayNumber,
                   bool shift) {
    const Date drawn = form.calendar.drawn;
    if (dayNumber < 1 || dayNumber > DaysInMonth(drawn.Year(), drawn.Month())) return;
    const Date day = Date::FromYmd(drawn.Year(), drawn.Month(), dayNumber);
    if (shift) ToggleHoliday(session, holidays, day);
    ShowEntryDate(form, day);
}

}  // namespace velmora
