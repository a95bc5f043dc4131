// An import is one step of the undo history: taken back, the ledger's lines are those of
// before; done again, those of after; a locked period refuses it as it refuses an entry.
#include <gtest/gtest.h>

#include "core/history/undo_history.h"
#include "core/import/import_into_book.h"
#include "core/ledger/ledger_file.h"
#include "core/ledgerview/view_fixture.h"
#include "core/session/book_commands.h"

namespace velmora::testing {
namespace {

TEST(ImportHistory, OneUndoTakesTheImportBackAndRedoPutsItAgain) {
    ViewFixture f;
    ImportChoices choices;
    choices.book = BookId{"預金", "B"};
    choices.columns = {1, 2, AmountColumns::Signed, 0, 0, 3, 0, 0};
    choices.title = "雑費";
    std::vector<StatementRow> rows;
    for (int day = 1; day <= 28; ++day)
        rows.push_back({"2014/04/" + std::to_string(day), "振込", std::to_string(day * 10)});
    rows.push_back({"2014/05/20", "振込", "-5"});
    const ImportPlan plan = PlanImport(f.session.ledger, rows, choices, {});

    auto lines = [&f] { return LedgerFileLines(f.session.ledger); };
    UndoHistory history;
    // The book the import shows, so that the balances shown are the same ones throughout.
    SelectBook(f.session, choices.book);
    f.Show();
    const std::vector<std::string> before = lines();
    history.Begin(f.session.ledger);
    ASSERT_EQ(ImportIntoBook(f.session, f.view, plan).added.size(), 29u);
    f.Show();
    history.End("取込");
    const std::vector<std::string> after = lines();
    ASSERT_EQ(f.session.ledger.transactions.Count(), 9 + 29);

    ASSERT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Done);
    f.Show();
    EXPECT_EQ(lines(), before);
    ASSERT_EQ(history.Redo(f.session.ledger), UndoHistory::Outcome::Done);
    f.Show();
    EXPECT_EQ(lines(), after);

    f.session.ledger.periods.lock[5] = 1;
    const std::vector<std::string> locked = lines();
    EXPECT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Locked);
    EXPECT_EQ(lines(), locked);
}

}  // namespace
}  // namespace velmora::testing
