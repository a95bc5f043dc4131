// The balances, views and summary read from the ledger's index agree, after every command of
// long random command sequences, with walking the whole year as the program did before: the
// current book's balances, the book balance list, field 7 of every line once settled, the
// balance and count of every row shown, the summary's cells for every book and level, and
// the places a new record and a month start.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/entry/entry_form.h"
#include "core/entry/entry_record.h"
#include "core/entry/entry_register.h"
#include "core/entry/row_editing.h"
#include "core/history/undo_history.h"
#include "core/import/import_into_book.h"
#include "core/import/statement_import.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_index.h"
#include "core/ledger/record.h"
#include "core/ledgerview/view_fixture.h"
#include "core/reports/month_columns.h"
#include "core/reports/summary_build.h"
#include "core/session/book_commands.h"
#include "support/entry_titles.h"

namespace velmora::testing {
namespace {

// Books beyond the fixture's, and lines the index must read as the walk does: a quoted
// record, one of the earlier eight-field form, one of a book no registry lists.
const char* const kOddLines =
    "d04=,2014/04/02,20,\"交通費\",\"地下鉄\",0,180,,現金,現金出納帳,現金,現金出納帳,\n"
    "d04=,2014/04/04,21,雑費,古い形,0,70,999\n"
    "d05=,2014/05/06,22,雑費,閉じた帳簿,0,40,123,小口,旧店,小口,旧店,\n";

// The index's block size: one block for the whole ledger, and blocks of three lines so that
// the same commands split blocks, empty them and read sums across many of them.
class KeptBalances : public ::testing::TestWithParam<std::size_t> {
protected:
    KeptBalances() {
        LedgerIndex::blockLines = GetParam();
        std::vector<std::string> lines = f.session.ledger.transactions.Items();
        std::vector<std::string> odd;
        SplitTextLines(kOddLines, odd);
        lines.insert(lines.begin() + 2, odd[0]);
        lines.insert(lines.begin() + 5, odd[1]);
        lines.insert(lines.begin() + 9, odd[2]);
        f.session.ledger.transactions.Assign(lines);
        AddBook(f.session, "預金", "C", Amount::FromYen(-500));
        f.Show();
    }

    ~KeptBalances() override { LedgerIndex::blockLines = kBlockLines; }

    std::vector<BookId> Books() const { return BooksOf(f.session.ledger); }

    template <class Command>
    void Run(Command command) {
        history.Begin(f.session.ledger);
        command();
        shown = f.Show();
        history.End("step");
    }

    // The commands of each kind that changed the lines.
    void CountChange(const std::string& kind, const std::vector<std::string>& before) {
        if (f.session.ledger.transactions.Items() != before) ++changed[kind];
    }

    // A day of the year; sixty of them, so that records share days and can be moved.
    static Date SomeDay(std::mt19937& random) {
        return Date::FromYmd(2014, 4, 1).AddDays(static_cast<int>(random() % 60) * 6);
    }

    // Entries and edits are refused under all books and all months: a person first picks a
    // book and a month, and the view shows them.
    void ToOneBookAndMonth(std::mt19937& random) {
        if (f.session.allBooks) ChooseBook(random);
        if (f.session.currentMonth == 13)
            f.session.currentMonth = static_cast<int>(random() % 12) + 1;
        shown = f.Show();
    }

    void Enter(std::mt19937& random, int n) {
        ToOneBookAndMonth(random);
        if (!NewEntryCommand(f.session, f.view, form)) return;
        ShowEntryDate(form, SomeDay(random));
        const int pick = static_cast<int>(random() % 5);
        if (pick == 3 && !form.pettyList.empty()) {
            ChangeEntryTab(f.session, form, EntryTab::PettyCash);
            ClickBook(form, EntryTab::PettyCash,
                      static_cast<int>(random() % form.pettyList.size()));
        } else if (pick == 4 && !form.bankList.empty()) {
            ChangeEntryTab(f.session, form, EntryTab::Bank);
            ClickBook(form, EntryTab::Bank, static_cast<int>(random() % form.bankList.size()));
        } else {
            PickListedTitle(f.session, form, pick == 0 ? "売上" : pick == 1 ? "交通費" : "ＡＢＣ");
        }
        form.description = "記録" + std::to_string(n % 7);
        (random() % 3 == 0 ? form.income : form.expense) =
            Amount::FromRaw(static_cast<std::int64_t>(random() % 5000000));
        RegisterEntry(f.session, f.view, form);
    }

    // A few statement rows into one of the books, placed as "取　込" places them: many lines
    // inserted in one pass, and taken back in one pass by undo.
    void Import(std::mt19937& random) {
        ImportChoices choices;
        const std::vector<BookId> books = Books();
        choices.book = books[random() % books.size()];
        choices.columns = {1, 2, AmountColumns::Signed, 0, 0, 3, 0, 0};
        choices.title = "雑費";
        std::vector<StatementRow> rows;
        for (int i = 0, n = 1 + static_cast<int>(random() % 6); i < n; ++i) {
            const long long yen = static_cast<long long>(random() % 20000) - 10000;
            rows.push_back({SomeDay(random).ShortText(), "振込" + std::to_string(i),
                            std::to_string(yen == 0 ? 1 : yen)});
        }
        ImportIntoBook(f.session, f.view, PlanImport(f.session.ledger, rows, choices, {}));
    }

    // The grid row of a record of the view shown whose next row (for a move, a record
    // shown without its date: one of the same day) qualifies; none when there is none.
    std::optional<std::size_t> SomeRecordRow(std::mt19937& random, bool forMove) const {
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < shown.rows.size(); ++i) {
            if (!shown.rows[i].RecordIndex()) continue;
            if (forMove && (i + 1 >= shown.rows.size() || !shown.rows[i + 1].RecordIndex() ||
                            !shown.rows[i + 1].DateText().empty()))
                continue;
            rows.push_back(i);
        }
        if (rows.empty()) return std::nullopt;
        return rows[random() % rows.size()];
    }

    void Edit(std::mt19937& random, bool remove) {
        ToOneBookAndMonth(random);
        const auto row = SomeRecordRow(random, false);
        if (!EditSelectedRow(f.session, form, row ? shown.rows[*row].RecordIndex() : std::nullopt))
            return;
        if (remove) {
            DeleteEntry(f.session, form);
            return;
        }
        if (random() % 2 == 0) ShowEntryDate(form, SomeDay(random));
        form.expense = Amount::FromYen(static_cast<std::int64_t>(random() % 900) + 1);
        form.income = Amount();
        RegisterEntry(f.session, f.view, form);
    }

    void Move(std::mt19937& random) {
        ToOneBookAndMonth(random);
        if (const auto row = SomeRecordRow(random, true)) MoveRowDown(f.session, shown.rows, *row);
    }

    void ChooseBook(std::mt19937& random) {
        f.session.allBooks = false;
        const std::vector<BookId> books = Books();
        SelectBook(f.session, books[random() % books.size()]);
    }

    void ChangeSettings(std::mt19937& random) {
        Ledger& ledger = f.session.ledger;
        switch (random() % 3) {
            case 0:
                ledger.openingBalance =
                    Amount::FromYen(static_cast<std::int64_t>(random() % 20000));
                break;
            case 1:
                RenameBook(f.session, "小口", 0, "本店",
                           Amount::FromYen(static_cast<std::int64_t>(random() % 9000)));
                break;
            default:
                ledger.periods = FiscalPeriods(2014, 4, random() % 2 == 0 ? 0 : 20);
                RetagPeriods(ledger);
        }
        f.session.RecomputeCurrent();
    }

    // What walking the whole year gives, on copies of the ledger.
    void ExpectAgreement(const std::string& step) {
        SCOPED_TRACE(step);
        Session& s = f.session;
        const BookId current = s.currentBook;
        std::vector<BookId> walked = Books();
        walked.push_back(current);

        Ledger walkedLedger = s.ledger;
        const std::vector<Balances> expected = RecomputeBooks(walkedLedger, walked, s.currentMonth);
        const Balances& mine = s.balances;
        const Balances& theirs = expected.back();
        EXPECT_EQ(mine.monthEnd, theirs.monthEnd);
        EXPECT_EQ(mine.current, theirs.current);
        EXPECT_EQ(mine.currentMonth, theirs.currentMonth);
        EXPECT_EQ(mine.starting, theirs.starting);
        EXPECT_EQ(mine.overflow, theirs.overflow);
        ASSERT_EQ(shown.bookBalances.size(), walked.size() - 1);
        for (std::size_t i = 0; i + 1 < walked.size(); ++i)
            EXPECT_EQ(shown.bookBalances[i].balanceText, expected[i].currentMonth.YenText());

        // Rows: field 7 as the walks leave it (under an account search the rows' own sum).
        std::size_t records = 0;
        for (const LedgerRow& row : shown.rows) {
            if (!row.RecordIndex()) continue;
            ++records;
            const RecordSplit line(walkedLedger.transactions[*row.RecordIndex()]);
            if (s.accountFilter.empty()) {
                EXPECT_EQ(row.Balance(),
                          Amount::TryParse(line[kFieldBalance]).value_or(Amount()).YenText());
            }
        }
        EXPECT_EQ(records, ExpectedRowCount(walkedLedger));

        SettleBalances(s.ledger, current);
        EXPECT_EQ(s.ledger.transactions.Items(), walkedLedger.transactions.Items());

        // The summary of every book and of all books, on both levels.
        std::vector<SummaryRequest> requests{{0, {}, true, ""}};
        for (const BookId& book : Books()) requests.push_back({0, book, false, ""});
        for (std::size_t i = 0, n = requests.size(); i < n; ++i)
            for (const char* title : {"交通費", "預金", "小口", "ａｂｃ", "現金"}) {
                SummaryRequest drill = requests[i];
                drill.level = 1;
                drill.selectedTitle = title;
                requests.push_back(drill);
            }
        const MonthColumns columns(s.ledger.startMonth);
        for (const SummaryRequest& request : requests) {
            SummaryGrid fromLines, fromSums;
            BuildSummaryRows(fromLines, columns, SeeRecords(s.ledger.transactions, request),
                             request.level);
            const auto sums = SeeRecordSums(s.ledger.Index(), request);
            if (!sums) continue;  // the lines are read: nothing kept to compare
            BuildSummaryRows(fromSums, columns, *sums, request.level);
            EXPECT_EQ(Cells(fromSums), Cells(fromLines))
                << request.book.name << " level " << request.level << " " << request.selectedTitle;
        }

        for (int day = 0; day < 400; day += 37) {
            const Date date = Date::FromYmd(2014, 3, 20).AddDays(day);
            EXPECT_EQ(DateOrderPosition(s.ledger, date),
                      DateOrderPosition(s.ledger.transactions, date));
        }
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(s.ledger.Index().FirstLineBeginningWith(month),
                      FirstLineOfMonth(s.ledger.transactions, MonthTag(month)));
    }

    static std::vector<SummaryGrid::Row> Cells(const SummaryGrid& grid) {
        std::vector<SummaryGrid::Row> rows;
        for (int row = 0; row < grid.RowCount(); ++row) rows.push_back(grid.RowAt(row));
        return rows;
    }

    // The rows the view lists, counted on the lines as the view used to read them.
    std::size_t ExpectedRowCount(const Ledger& ledger) const {
        const Session& s = f.session;
        const int month = s.currentMonth >= 1 && s.currentMonth <= 12 ? s.currentMonth : 13;
        const LineList& list = ledger.transactions;
        const std::string tag = MonthTag(month);
        std::size_t count = 0;
        RecordSplit r;
        for (int i = month == 13 ? 0 : FirstLineOfMonth(list, tag); i < list.Count(); ++i) {
            r.Split(list[i]);
            if (month != 13 && r[kFieldTag] != tag) break;
            const bool member = r.BelongsTo(s.currentBook.kind, s.currentBook.name) ||
                                (s.allBooks && r[kFieldOwnKind] == r[kFieldOtherKind]);
            if (member && (s.accountFilter.empty() || r[kFieldTitle] == s.accountFilter)) ++count;
        }
        return count;
    }

    ViewFixture f;
    EntryForm form;
    UndoHistory history;
    LedgerViewResult shown;
    std::map<std::string, int> changed;
    static constexpr std::size_t kBlockLines = LedgerIndex::kBlockLines;
};

TEST_P(KeptBalances, RandomCommandsAgreeWithTheWholeWalkAfterEveryCommand) {
    std::mt19937 random(20261210);
    for (int n = 0; n < 500; ++n) {
        std::string step = std::to_string(n) + ": ";
        const std::vector<std::string> before = f.session.ledger.transactions.Items();
        switch (random() % 13) {
            case 0:
            case 1:
            case 2:
                step += "entry";
                Run([&] { Enter(random, n); });
                break;
            case 3:
                step += "edit";
                Run([&] { Edit(random, false); });
                break;
            case 4:
                step += "delete";
                Run([&] { Edit(random, true); });
                break;
            case 5:
                step += "move";
                Run([&] { Move(random); });
                break;
            case 6:
                step += "book";
                Run([&] { ChooseBook(random); });
                break;
            case 7:
                step += "undo";
                history.Undo(f.session.ledger);
                shown = f.Show();
                break;
            case 8:
                step += "redo";
                // Undone first, so that there is something to redo.
                history.Undo(f.session.ledger);
                shown = f.Show();
                ExpectAgreement(step + " (its undo)");
                history.Redo(f.session.ledger);
                shown = f.Show();
                break;
            case 9:
                step += "settings";
                Run([&] { ChangeSettings(random); });
                break;
            case 10:
                step += "all books";
                Run([&] { SelectAllBooks(f.session); });
                break;
            case 11:
                step += "import";
                Run([&] { Import(random); });
                break;
            default:
                step += "month and search";
                Run([&] {
                    const int month = static_cast<int>(random() % 14);
                    f.session.accountFilter = month >= 12 ? (random() % 2 ? "交通費" : "雑費") : "";
                    f.session.currentMonth = month >= 12 ? 13 : month + 1;
                });
        }
        CountChange(step.substr(step.find(' ') + 1), before);
        ExpectAgreement(step);
        if (HasFailure()) return;
    }
    // Every kind of change was made, more than once.
    for (const char* kind :
         {"entry", "edit", "delete", "move", "undo", "redo", "settings", "import"})
        EXPECT_GT(changed[kind], 3) << kind;
}

// A month of many pages: a page far down it, asked for first, shows what reading the pages
// in order shows (the grid goes to the row of a record registered in the middle of the
// month).
TEST_P(KeptBalances, APageFoundFromAnywhereShowsWhatReadingInOrderShows) {
    LineList& list = f.session.ledger.transactions;
    const int april = FirstLineOfMonth(list, MonthTag(4));
    std::vector<std::pair<std::int32_t, std::string>> lines;
    for (int i = 0; i < 400; ++i)
        lines.emplace_back(april + i, "d04=,2014/04/01," + std::to_string(i) + ",交通費,記録,0," +
                                          std::to_string(100 + i) + ",," +
                                          (i % 3 == 0 ? "預金,C,現金,現金出納帳,"
                                                      : "現金,現金出納帳,現金,現金出納帳,"));
    list.InsertMany(std::move(lines));
    f.session.currentMonth = 4;
    std::vector<std::string> inOrder;
    for (const LedgerRow& row : f.Show().rows) inOrder.push_back(RowLine(row));
    ASSERT_GT(inOrder.size(), 400u);
    const LedgerViewResult again = f.Show();
    for (std::size_t i = inOrder.size(); i-- > 0;) EXPECT_EQ(RowLine(again.rows[i]), inOrder[i]);
}

// Ids stay those first given while the table of texts grows many times over, and a text
// never interned is not found (the empty text and one differing in its last byte alike).
TEST(TextIds, IdsStayAndOnlyInternedTextsAreFoundAsTheTableGrows) {
    TextIds ids;
    constexpr std::uint32_t kTexts = 5000;
    for (std::uint32_t i = 0; i < kTexts; ++i) ASSERT_EQ(ids.Intern("摘要" + std::to_string(i)), i);
    EXPECT_EQ(ids.Count(), kTexts);
    for (std::uint32_t i = 0; i < kTexts; i += 7) {
        EXPECT_EQ(ids.Intern("摘要" + std::to_string(i)), i);
        EXPECT_EQ(ids.Find("摘要" + std::to_string(i)), i);
        EXPECT_EQ(ids.Text(i), "摘要" + std::to_string(i));
    }
    EXPECT_EQ(ids.Find("摘要" + std::to_string(kTexts)), std::nullopt);
    EXPECT_EQ(ids.Find(""), std::nullopt);
    EXPECT_EQ(ids.Intern(""), kTexts);
    EXPECT_EQ(ids.Find(""), kTexts);
    EXPECT_EQ(TextIds().Find("摘要0"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, KeptBalances,
                         ::testing::Values(LedgerIndex::kBlockLines, std::size_t{3}));

}  // namespace
}  // namespace velmora::testing
