// The settings command on a session: refused under an account filter; after the dialog the
// cash book's name follows the use type, the settings are read again trimmed, the records
// are re-tagged and the current book is recomputed.
#include "core/session/apply_settings.h"

#include <gtest/gtest.h>

#include "core/session/file_commands.h"
#include "session_harness.h"

namespace velmora::testing {
namespace {

struct CountingListener : SessionListener {
    int views = 0;
    int titles = 0;
    void ViewChanged() override { ++views; }
    void TitlesChanged() override { ++titles; }
};

struct SettingsHarness : SessionHarness {
    SettingsHarness() {
        EXPECT_TRUE(LoadLedger(session, CopyExample("a.exv")));
        dialogs.Clear();
        session.SetListener(&listener);
    }
    CountingListener listener;
};

const std::string kPettyToCash =
    "d04=,2014/04/05,2,小口現金,現金出納帳,0,500,,小口,本店,現金,現金出納帳,";

TEST(ApplySettings, RefusedWhileAnAccountFilterIsSet) {
    SettingsHarness h;
    h.session.accountFilter = "交通費";
    bool dialogShown = false;
    EXPECT_EQ(SettingsCommand(h.session, [&](FiscalSettingsForm&) { dialogShown = true; }),
              SettingsClosed::Refused);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{"確認|科目検索指定時は環境設定の変更はできません"}));
    EXPECT_EQ(h.listener.views, 0);
    EXPECT_EQ(h.listener.titles, 0);
    EXPECT_FALSE(h.session.modified);
}

TEST(ApplySettings, UseTypeRenamesTheCashBookInRecordsAndBack) {
    SettingsHarness h;
    h.session.ledger.transactions.Add(kPettyToCash);
    const std::vector<std::string> original = h.session.ledger.transactions.Items();

    auto switchTo = [&h](int useType) {
        return SettingsCommand(h.session, [&](FiscalSettingsForm& form) {
                   form.useTypeIndex = useType - 1;
                   EXPECT_EQ(ApplySettingsForm(h.session, form), ApplyOutcome::Applied);
               }) == SettingsClosed::Applied;
    };
    ASSERT_TRUE(switchTo(2));
    const auto& list = h.session.RecordLines();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0],
              "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,おこづかい帳,現金,おこづかい帳,");
    EXPECT_EQ(list[1],
              "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,おこづかい帳,小口,本店,");
    // Only the book-name fields change: the description keeps its text.
    EXPECT_EQ(list[2],
              "d04=,2014/04/05,2,小口現金,現金出納帳,0,500,7280,小口,本店,現金,おこづかい帳,");
    EXPECT_EQ(h.session.ledger.useType, 2);
    // The current book follows, so its balances are those of the renamed cash book.
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "おこづかい帳"}));
    EXPECT_EQ(h.session.lastSelectedBook, (BookId{"現金", "おこづかい帳"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(7280));
    EXPECT_TRUE(h.session.modified);

    ASSERT_TRUE(switchTo(1));
    std::vector<std::string> back = original;
    back[2] = "d04=,2014/04/05,2,小口現金,現金出納帳,0,500,7280,小口,本店,現金,現金出納帳,";
    EXPECT_EQ(h.session.ledger.transactions.Items(), back);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(7280));
}

TEST(ApplySettings, AfterTheDialogRecordsAreRetaggedAndSettingsReadTrimmed) {
    SettingsHarness h;
    h.session.currentMonth = 7;
    ASSERT_EQ(SettingsCommand(h.session,
                              [&](FiscalSettingsForm& form) {
                                  form.startYearField = Amount::FromYen(2015);
                                  form.ClickStartMonth(1);
                                  form.options.fileDir = "  /docs/b.exv ";
                                  form.options.companyName = " 山田商店\t";
                                  EXPECT_EQ(ApplySettingsForm(h.session, form),
                                            ApplyOutcome::Applied);
                              }),
              SettingsClosed::Applied);
    EXPECT_EQ(h.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|開始月、開始残高を変更していいですか？",
                  "info:現金出納帳-Velmora Version5|環境設定を登録しました。"}));
    const Ledger& ledger = h.session.ledger;
    EXPECT_EQ(ledger.startMonth, 1);
    EXPECT_EQ(ledger.startYear, 2015);
    EXPECT_EQ(ledger.periods.start[1], Date::FromYmd(2015, 1, 1));
    EXPECT_EQ(ledger.periods.end[12], Date::FromYmd(2015, 12, 31));
    // Dated before the first period of the new year: both go to the start month.
    EXPECT_EQ(ledger.transactions[0].substr(0, 4), "d01=");
    EXPECT_EQ(ledger.transactions[1].substr(0, 4), "d01=");
    // The file keeps what was typed; the session reads it trimmed, as at start-up.
    EXPECT_EQ(h.session.settings.fileDir, "/docs/b.exv");
    EXPECT_EQ(h.session.settings.companyName, "山田商店");
    EXPECT_EQ(ReadSettingsFile(h.session.SettingsPath(), false).fileDir, "  /docs/b.exv ");
    // Today's month is shown again (the clock stands on 5 March 2024).
    EXPECT_EQ(h.session.currentMonth, 3);
    EXPECT_EQ(h.session.balances.monthEnd[1], Amount::FromYen(6780));
    EXPECT_EQ(h.listener.titles, 1);
    EXPECT_EQ(h.listener.views, 1);
}

TEST(ApplySettings, ClosingWithoutApplyingRereadsTheSettingsButKeepsTheMonthAndRecords) {
    SettingsHarness h;
    h.session.currentMonth = 1;
    const std::vector<std::string> before = h.session.ledger.transactions.Items();
    WriteCp932(h.session.SettingsPath(), "[COMPANY_NAME]= 外部で変更 \n");
    ASSERT_EQ(SettingsCommand(h.session, [](FiscalSettingsForm& form) { form.useTypeIndex = 1; }),
              SettingsClosed::Closed);
    EXPECT_EQ(h.session.currentMonth, 1);
    EXPECT_EQ(h.session.ledger.transactions.Items(), before);
    EXPECT_EQ(h.session.ledger.useType, 1);
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(h.session.settings.companyName, "外部で変更");
    EXPECT_TRUE(h.dialogs.events.empty());
    EXPECT_EQ(h.listener.views, 1);
}

}  // namespace
}  // namespace velmora::testing
