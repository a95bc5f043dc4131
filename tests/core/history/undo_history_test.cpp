// Undo and redo over the real ledger commands: any sequence taken back gives the very
// lines of the start, done again the very lines of the end; locked periods refuse.
#include <gtest/gtest.h>

#include <random>

#include "core/entry/entry_form.h"
#include "core/entry/entry_register.h"
#include "core/entry/row_editing.h"
#include "core/history/undo_history.h"
#include "core/ledger/ledger_file.h"
#include "core/ledgerview/view_fixture.h"
#include "core/session/book_commands.h"
#include "support/entry_titles.h"

namespace velmora::testing {
namespace {

class Undo : public ::testing::Test {
protected:
    std::vector<std::string> FileLines() const { return LedgerFileLines(f.session.ledger); }

    // One command as the application runs it: recorded, then the view rebuilt.
    template <class Command>
    void Run(const std::string& label, Command command) {
        history.Begin(f.session.ledger);
        command();
        f.Show();
        history.End(label);
    }

    void Register(Date day, const std::string& title, long long income, long long expense) {
        ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
        ShowEntryDate(form, day);
        PickListedTitle(f.session, form, title);
        form.description = "メモ";
        form.income = Amount::FromYen(income);
        form.expense = Amount::FromYen(expense);
        f.dialogs.Clear();
        Run("登録 " + day.ShortText() + " " + title,
            [&] { RegisterEntry(f.session, f.view, form); });
    }

    ViewFixture f;
    EntryForm form;
    UndoHistory history;
};

TEST_F(Undo, RandomCommandsTakenBackGiveTheStartAndRedoneTheEnd) {
    Run("", [] {});
    std::mt19937 random(20241210);
    for (int round = 0; round < 5; ++round) {
        history.Clear();
        const std::vector<std::string> start = FileLines();
        std::vector<std::vector<std::string>> states{start};
        for (int n = 0; n < 12; ++n) {
            const int day = static_cast<int>(random() % 28) + 1;
            const int month = static_cast<int>(random() % 3) + 4;
            switch (random() % 6) {
                case 0:
                case 1:
                    Register(Date::FromYmd(2014, month, day), "交通費", 0, 100 + n);
                    break;
                case 2: {
                    const auto rows = f.Show().rows;
                    Run("一行下へ移動", [&] { MoveRowDown(f.session, rows, random() % 3); });
                    break;
                }
                case 3:
                    Run("帳簿追加", [&] {
                        AddBook(f.session, "小口", "出張" + std::to_string(n), Amount::FromYen(n));
                    });
                    break;
                case 4:
                    Run("帳簿変更", [&] {
                        RenameBook(f.session, "預金", 0, "B" + std::to_string(n),
                                   Amount::FromYen(7));
                    });
                    break;
                default:
                    Run("設定", [&] { f.session.ledger.openingBalance = Amount::FromYen(n); });
            }
            if (FileLines() != states.back()) states.push_back(FileLines());
        }
        ASSERT_GE(states.size(), 7u);  // most commands changed the ledger
        const std::vector<std::string> end = FileLines();
        // Each undo walks back through the states the commands left.
        for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
            ASSERT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Done);
            f.Show();
            ASSERT_EQ(FileLines(), *state);
        }
        EXPECT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Nothing);
        EXPECT_EQ(FileLines(), start);
        while (history.Redo(f.session.ledger) == UndoHistory::Outcome::Done) f.Show();
        EXPECT_EQ(FileLines(), end);
    }
}

TEST_F(Undo, AStepInALockedPeriodIsRefusedAndChangesNothing) {
    Register(Date::FromYmd(2014, 5, 10), "交通費", 0, 300);
    EXPECT_EQ(history.UndoText(), "元に戻す: 登録 2014/05/10 交通費");
    f.session.ledger.periods.lock[5] = 1;
    const std::vector<std::string> locked = FileLines();
    EXPECT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Locked);
    EXPECT_EQ(FileLines(), locked);
    EXPECT_TRUE(history.CanUndo());
    f.session.ledger.periods.lock[5] = 0;
    EXPECT_EQ(history.Undo(f.session.ledger), UndoHistory::Outcome::Done);
    EXPECT_EQ(history.RedoText(), "やり直し: 登録 2014/05/10 交通費");
    EXPECT_EQ(history.UndoText(), "元に戻す");
}

TEST_F(Undo, TheSavedStateIsKnownAgainAndLoadsForgetEverything) {
    history.MarkSaved();
    Register(Date::FromYmd(2014, 4, 11), "交通費", 0, 300);
    EXPECT_FALSE(history.AtSavedState());
    history.Undo(f.session.ledger);
    EXPECT_TRUE(history.AtSavedState());
    history.Redo(f.session.ledger);
    history.MarkSaved();
    history.Undo(f.session.ledger);
    // A new command after an undo: the saved state can no longer be reached.
    Register(Date::FromYmd(2014, 4, 12), "交通費", 0, 400);
    EXPECT_FALSE(history.CanRedo());
    history.Undo(f.session.ledger);
    EXPECT_FALSE(history.AtSavedState());

    Run("", [&] { f.session.ledger.transactions.Clear(); });
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.AtSavedState());
}

TEST_F(Undo, CommandsThatChangeNothingLeaveNoStep) {
    Run("", [] {});  // the first view brings the balances up to date
    Run("表示", [] {});
    EXPECT_FALSE(history.CanUndo());
    Register(Date::FromYmd(2014, 4, 11), "交通費", 0, 300);
    EXPECT_LT(history.MemoryBytes(), 2000u);
}

}  // namespace
}  // namespace velmora::testing
