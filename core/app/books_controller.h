#pragma once

// The ledger and its books as commands: the book shown, the month and the day, the rows
// moved and recalculated, the book list, the account titles and the settings. Each runs in
// the application's command scope and tells the listeners once, when it is complete.

#include <cstddef>
#include <string>

#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

class Application;
class TitleMaster;

class BooksController {
public:
    explicit BooksController(Application& app) : app_(app) {}
    BooksController(const BooksController&) = delete;
    BooksController& operator=(const BooksController&) = delete;

    // The three book commands: "現金出納帳", and the book lists of "小口現金" and "預金出納帳".
    void SelectCashBook();
    void ChoosePettyCashBook();
    void ChooseBankBook();

    // False when the tab was refused ("ALL" without an account search).
    bool ChooseMonthTab(int tab);
    // The month selected without moving the calendar off the day it shows (a month tab
    // would); false when refused.
    bool SelectMonth(int month);
    // A day clicked on the main calendar.
    void ChooseCalendarDay(Date day);
    // "<<" (delta -1) and ">>" (+1) of the main calendar: its month only, the ledger view
    // stays as it is.
    void StepCalendar(int delta);
    // "今日:" of the main calendar: today, and the ledger view of its month.
    void CalendarToday();
    // A day clicked with Shift held: the holiday mark of its month and day toggled (after
    // the question), then the day chosen as a plain click chooses it. A national holiday
    // stays one: only the user's own mark changes.
    void ToggleHolidayAndChooseDay(Date day);

    // "先頭行へ移動" / "最終行へ移動": the grid row to select.
    int FirstRowToSelect() const;
    int LastRowToSelect() const;
    // "一行下へ移動する" on a row of the ledger view; false when refused.
    bool MoveRowDown(std::size_t row);
    void RecalculateDates();
    void RecalculateAmounts();

    // The book list dialog: "新規追加", "名称・残高変更" and "削　除" on the registry of kind
    // ("小口" or "預金"); true when the registry changed. Run inside "小口現金" or "預金出納帳",
    // the ledger view and the book balances follow when the dialog has closed.
    bool AddBook(const std::string& kind, const std::string& name, Amount balance);
    bool RenameBook(const std::string& kind, int index, const std::string& name, Amount balance);
    bool DeleteBook(const std::string& kind, int index);

    // "科目設定": the account titles dialog.
    void EditTitles();
    // Its "更　新": the titles, their quick descriptions and, when the user agrees, the
    // records of renamed titles, the records as one step to take back. False when the title
    // file could not be written (the dialog stays open).
    bool UpdateTitles(TitleMaster& master);
    // "環境設定": the settings dialog.
    void EditSettings();

private:
    void ChooseBookFromList(const std::string& kind);

    Application& app_;
};

}  // namespace velmora
