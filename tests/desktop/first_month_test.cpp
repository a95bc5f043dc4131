// A small shop's first month, by keyboard only, from the program's first start: the settings,
// a petty-cash and a bank book reached through the ribbon, twenty records typed, one edited,
// one deleted, the deletion undone and done again, saved, the program closed and the file
// opened again. The file's lines and velmora-cli's view are what was typed.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/codepage.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

// One record typed into the entry form, which has the focus in its list: the date typed
// short, the list's item chosen by the keys given, the description, then the amount in
// "収入" or "支出", and Enter.
struct Typed {
    const char* date;
    const char* choose;  // xdotool keys, or text typed when it starts with '='
    const char* description;
    const char* income;
    const char* expense;
    const char* complete = "";  // keys in the completions offered for the description
};

void TypeRecord(Desktop& desktop, const Typed& r) {
    desktop.Key("shift+Tab");
    desktop.Type(r.date);
    desktop.Key("Tab");
    if (r.choose[0] == '=')
        desktop.Type(r.choose + 1);
    else
        desktop.Key(r.choose);
    desktop.Key("Tab");
    desktop.Type(r.description);
    if (*r.complete) desktop.Key(r.complete);
    desktop.Key(*r.income ? "Tab" : "Tab Tab");
    desktop.Type(*r.income ? r.income : r.expense);
    desktop.Key("Return");
}

}  // namespace

TEST(FirstMonth, ASmallShopsMonthByKeyboard) {
    DesktopOptions options;
    options.today = "2024/05/22";
    Desktop desktop("first-month", options);
    const std::string ledger = desktop.Files() + "/shop2024.exv";

    // The first start: no ledger, the program asks for the settings.
    desktop.Start();
    const std::string main = desktop.MainWindowId();
    const WindowInfo askSettings = desktop.WaitForNewWindow(kAppTitle);
    desktop.Screenshot("first-start");
    desktop.Answer(askSettings, "Return");
    desktop.WaitUntilActive(main);

    // Start month April (three to the right of January), the April period closing on the
    // 20th, repeated through the year by "自動設定(任意)".
    desktop.Key("ctrl+g");
    const WindowInfo settings = desktop.WaitForNewWindow("環境設定");
    desktop.Key("Right Right Right Tab Tab Tab");
    desktop.Type("2024/03/21");
    desktop.Key("Tab");
    desktop.Type("2024/04/20");
    desktop.Key("Tab", 36);
    desktop.Key("space");
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(settings.id);
    desktop.Screenshot("settings-typed");
    desktop.Key("alt+a");
    desktop.AnswerUntilActive(main, "Return");

    // The books: F6 reaches the ribbon's tabs; "現金出納帳", into the page, five buttons on
    // to "小口現金"; "新規追加" in its list; name, balance, "実　行"; Esc closes the list.
    desktop.Key("F6 Right Down Right Right Right Right Right space");
    const WindowInfo pettyList = desktop.WaitForNewWindow("小口現金帳簿選択");
    desktop.Key("Tab space");
    desktop.WaitForNewWindow("新規追加");
    desktop.Type("本店");
    desktop.Key("Tab");
    desktop.Type("5000");
    desktop.Key("Tab space");
    desktop.WaitUntilActive(pettyList.id);
    desktop.Screenshot("petty-book-added");
    desktop.Key("Escape");
    desktop.WaitUntilActive(main);
    // The focus is back on "小口現金"; "預金出納帳" is the next button.
    desktop.Key("Right space");
    const WindowInfo bankList = desktop.WaitForNewWindow("預金帳簿選択");
    desktop.Key("Tab space");
    desktop.WaitForNewWindow("新規追加");
    desktop.Type("北銀行");
    desktop.Key("Tab");
    desktop.Type("300000");
    desktop.Key("Tab space");
    desktop.WaitUntilActive(bankList.id);
    desktop.Key("Escape");
    desktop.WaitUntilActive(main);

    // Twenty records: titles by number, by their first characters, by the arrows; one
    // description completed.
    desktop.Key("F6 F5");
    desktop.WaitForNewWindow("出納帳入力");
    const Typed records[] = {
        {"4/21", "=1", "店頭売上", "32000", ""},
        {"4/21", "=3", "野菜", "", "8400"},
        {"4/22", "=旅費", "電車", "", "420"},
        {"4/23", "=10", "洗剤", "", "980"},
        {"4/24", "=1", "店頭売上", "28500", ""},
        {"4/25", "=通信", "電話代", "", "6200"},
        {"4/26", "Down Down", "米", "", "12000"},
        {"4/27", "=19", "5月分家賃", "", "85000"},
        {"4/28", "=1", "店頭売上", "30100", ""},
        {"4/30", "=雑", "自販機手数料", "1500", ""},
        {"5/1", "=水道", "電気代", "", "9800"},
        {"5/2", "=3", "魚", "", "15600"},
        {"5/7", "=1", "店", "41200", "", "Down Return"},
        {"5/8", "=11", "レジロール", "", "1320"},
        {"5/9", "=広告", "チラシ", "", "7000"},
        {"5/10", "=1", "店頭売上", "35800", ""},
        {"5/13", "=接待", "手土産", "", "2160"},
        {"5/15", "=20", "火災保険", "", "18000"},
        {"5/17", "=1", "店頭売上", "39700", ""},
        {"5/20", "=8", "切手", "", "840"},
    };
    for (const Typed& r : records) TypeRecord(desktop, r);
    desktop.Screenshot("twenty-typed");
    desktop.Key("Escape");
    desktop.WaitUntilActive(main);
    desktop.Screenshot("ledger-after-entry");

    // Save under a name, as the first save of a new ledger asks.
    desktop.Key("ctrl+s");
    desktop.WaitForNewWindow("名前を付けて保存");
    desktop.Type(ledger);
    desktop.Key("Return");
    const std::string first = desktop.WaitForFileChange(ledger, "");
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(main);

    // Home is the carry row; the second record (野菜) edited: Enter in "摘要" goes to the
    // expense.
    desktop.Key("Home Down Down Return");
    desktop.WaitForWindowPrefix("出納帳修正");
    desktop.Key("Tab Return BackSpace BackSpace BackSpace BackSpace");
    desktop.Type("8600");
    desktop.Key("Return");
    desktop.WaitUntilActive(main);
    // The third (電車) deleted with "削  除", after its question.
    desktop.Key("Home Down Down Down Return");
    desktop.WaitForWindowPrefix("出納帳修正");
    desktop.Key("Tab Tab Tab Tab Tab space");
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(main);
    desktop.Screenshot("edited-and-deleted");
    // The deletion undone (and saved so), then done again.
    desktop.Key("ctrl+z ctrl+s");
    const std::string undone = desktop.WaitForFileChange(ledger, first);
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(main);
    desktop.Screenshot("deletion-undone");
    EXPECT_NE(Cp932ToUtf8(undone).find(",旅費交通費,電車,0,420,"), std::string::npos);
    desktop.Key("ctrl+y ctrl+s");
    const std::string saved = Cp932ToUtf8(desktop.WaitForFileChange(ledger, undone));
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(main);

    // "終了(&X)" of the menu "ファイル(&F)"; the file opened again.
    desktop.Key("alt+f x");
    EXPECT_EQ(desktop.WaitForExit(), 0);
    desktop.Start({ledger});
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    desktop.Screenshot("reopened");
    // The cash book's records as typed, the edit kept, the deletion done; the two books;
    // the periods closing on the 20th from April.
    std::string expected;
    for (const char* record : {
             "d05=,2024/04/21,0,売上,店頭売上,32000,0,32000",
             "d05=,2024/04/21,20,仕入,野菜,0,8600,23400",
             "d05=,2024/04/23,3,消耗品費,洗剤,0,980,22420",
             "d05=,2024/04/24,4,売上,店頭売上,28500,0,50920",
             "d05=,2024/04/25,5,通信費,電話代,0,6200,44720",
             "d05=,2024/04/26,6,消耗品費,米,0,12000,32720",
             "d05=,2024/04/27,7,地代家賃,5月分家賃,0,85000,-52280",
             "d05=,2024/04/28,8,売上,店頭売上,30100,0,-22180",
             "d05=,2024/04/30,9,雑収入,自販機手数料,1500,0,-20680",
             "d05=,2024/05/01,10,水道光熱費,電気代,0,9800,-30480",
             "d05=,2024/05/02,11,仕入,魚,0,15600,-46080",
             "d05=,2024/05/07,12,売上,店頭売上,41200,0,-4880",
             "d05=,2024/05/08,13,事務用品費,レジロール,0,1320,-6200",
             "d05=,2024/05/09,14,広告宣伝費,チラシ,0,7000,-13200",
             "d05=,2024/05/10,15,売上,店頭売上,35800,0,22600",
             "d05=,2024/05/13,16,接待交際費,手土産,0,2160,20440",
             "d05=,2024/05/15,17,保険料,火災保険,0,18000,2440",
             "d05=,2024/05/17,18,売上,店頭売上,39700,0,42140",
             "d05=,2024/05/20,19,通信費,切手,0,840,41300",
         })
        expected += std::string(record) + ",現金,現金出納帳,現金,現金出納帳,\r\n";
    expected += "z,小口,本店,5000,\r\nz,預金,北銀行,300000,\r\n";
    for (const char* period : {
             "f,2024/12/21,2025/01/20,0",
             "f,2025/01/21,2025/02/20,0",
             "f,2025/02/21,2025/03/20,0",
             "f,2024/03/21,2024/04/20,0",
             "f,2024/04/21,2024/05/20,0",
             "f,2024/05/21,2024/06/20,0",
             "f,2024/06/21,2024/07/20,0",
             "f,2024/07/21,2024/08/20,0",
             "f,2024/08/21,2024/09/20,0",
             "f,2024/09/21,2024/10/20,0",
             "f,2024/10/21,2024/11/20,0",
             "f,2024/11/21,2024/12/20,0",
         })
        expected += std::string(period) + "\r\n";
    expected += "g,0,4,1,2024,\r\n";
    EXPECT_EQ(saved, expected);

    // velmora-cli shows the May period (4/21 - 5/20) of the file as the grid did.
    std::string view;
    for (const char* line : {
             "+\t\t\t■前月繰越\t\t\t0",
             "+\t04月21日(日)\t売上\t店頭売上\t32,000\t\t32,000",
             "+\t\t仕入\t野菜\t\t8,600\t23,400",
             "+\t04月23日(火)\t消耗品費\t洗剤\t\t980\t22,420",
             "+\t04月24日(水)\t売上\t店頭売上\t28,500\t\t50,920",
             "+\t04月25日(木)\t通信費\t電話代\t\t6,200\t44,720",
             "+\t04月26日(金)\t消耗品費\t米\t\t12,000\t32,720",
             "-\t04月27日(土)\t地代家賃\t5月分家賃\t\t85,000\t-52,280",
             "-\t04月28日(日)\t売上\t店頭売上\t30,100\t\t-22,180",
             "-\t04月30日(火)\t雑収入\t自販機手数料\t1,500\t\t-20,680",
             "-\t05月01日(水)\t水道光熱費\t電気代\t\t9,800\t-30,480",
             "-\t05月02日(木)\t仕入\t魚\t\t15,600\t-46,080",
             "-\t05月07日(火)\t売上\t店頭売上\t41,200\t\t-4,880",
             "-\t05月08日(水)\t事務用品費\tレジロール\t\t1,320\t-6,200",
             "-\t05月09日(木)\t広告宣伝費\tチラシ\t\t7,000\t-13,200",
             "+\t05月10日(金)\t売上\t店頭売上\t35,800\t\t22,600",
             "+\t05月13日(月)\t接待交際費\t手土産\t\t2,160\t20,440",
             "+\t05月15日(水)\t保険料\t火災保険\t\t18,000\t2,440",
             "+\t05月17日(金)\t売上\t店頭売上\t39,700\t\t42,140",
             "+\t05月20日(月)\t通信費\t切手\t\t840\t41,300",
             "+\t\t\t【当月合計】\t208,800\t167,500\t",
             "=\t\t\t□次月繰越\t\t\t41,300",
             "totals\t208,800\t167,500\t41,300",
             "range\t2024年04月21日～2024年05月20日",
         })
        view += std::string(line) + "\n";
    EXPECT_EQ(desktop.Cli({"--today", "2024/05/22", "view", ledger, "--month", "5"}), view);
}

}  // namespace velmora::testing
