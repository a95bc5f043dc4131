#include "core/app/command_table.h"

#include <algorithm>

#include "core/print/report_kind.h"

namespace velmora {

const std::vector<CommandInfo>& MainCommands() {
    static const std::vector<CommandInfo> commands = {
        {"note1", "現金出納帳", ""},
        {"note2", "小口現金", ""},
        {"note3", "預金出納帳", ""},
        {"datainput", "出納帳データ入力", "F5"},
        {"dataedit", "修正", "Ctrl+F5"},
        {"moveTop", "先頭行へ移動", "PgUp"},
        {"MoveDown", "最終行へ移動", "PgDown"},
        {"target_Notes", "検索実行", "Ctrl+F"},
        {"searchKamoku", "科目検索", ""},
        {"searchItem", "摘要で検索(部分一致)", ""},
        {"searchIncome", "収入金額で検索", ""},
        {"searchOutcome", "支出金額で検索", ""},
        {"searchPreview", "現在の検索条件を表示", ""},
        {"cancelKamoku", "科目検索解除", ""},
        {"cancelItem", "摘要検索解除", ""},
        {"cancelIncome", "収入金額検索解除", ""},
        {"cancelOutcome", "支出金額検索解除", ""},
        {"searchClear", "検索解除", "Esc"},
        {"datesearch", "日付指定", ""},
        {"masterKamoku", "科目設定", "Ctrl+B"},
        {"new1data", "新規作成(現金出納帳)", "Ctrl+M"},
        {"new2Data", "新規作成(おこづかい帳)", "Ctrl+N"},
        {"makeNextData", "表示中のデータから残高を引き継いで次年度分を作成", ""},
        {"fileopen", "ファイルを開く", "Ctrl+O"},
        {"filesave", "保　存", "Ctrl+S"},
        {"fileAsSave", "名前をつけて保存", "Ctrl+A"},
        {"csvfileOut", "CSVファイルへ出力", ""},
        {"importStatement", "CSVファイルから取込…", ""},
        {"dateAgain", "日付再計算", ""},
        {"kingakuAgain", "金額再計算", ""},
        {"mdisplay_write", "現在の画面デザインを保存する", ""},
        {"configExec", "環境設定", "Ctrl+G"},
        {"back", "Back", ""},
        {"monthlySum", "集計", ""},
        {"graph", "入出金グラフ", ""},
        {.name = "printnote",
         .caption = "出納帳印刷",
         .key = "Ctrl+P",
         .printKind = kCashLedgerReport},
        {.name = "printzandaka",
         .caption = "帳簿残高印刷",
         .key = "",
         .printKind = kBookBalancesReport},
        {.name = "monthlyprint", .caption = "印刷", .key = "", .printKind = kMonthlyTitlesReport},
        {.name = "incomeprint",
         .caption = "入出金集計表印刷",
         .key = "",
         .printKind = kIncomeExpenseReport},
        {.name = "graphprint", .caption = "入出金グラフ印刷", .key = "", .printKind = kGraphReport},
        {"calcExec", "電卓を起動", ""},
        {"cashcalcExec", "金種計算", ""},
        {"FileExit1", "終了(&X)", ""},
        // Undo and redo: the text shows what they would take back or do again.
        {kUndoCommand, "元に戻す", "Ctrl+Z"},
        {kRedoCommand, "やり直し", "Ctrl+Y"},
        // Menu items of their own.
        {kMonthlyListItem, "月別科目一覧表", "Ctrl+E"},
        {kOnlineHelpItem, "オンラインヘルプ(取扱説明書)", "F1"},
        {kOfflineHelpItem, "オフラインヘルプ(取扱説明書)", ""},
        {kWorkingFolderItem, "作業フォルダーを開く", ""},
        {"back_1", kEmptyBackupCaption, "Shift+Ctrl+F1"},
        {"back_2", kEmptyBackupCaption, "Shift+Ctrl+F2"},
        {"back_3", kEmptyBackupCaption, "Shift+Ctrl+F3"},
        {"back_4", kEmptyBackupCaption, "Shift+Ctrl+F4"},
        {"back_5", kEmptyBackupCaption, "Shift+Ctrl+F5"},
        {"back_6", kEmptyBackupCaption, "Shift+Ctrl+F6"},
        {"back_7", kEmptyBackupCaption, "Shift+Ctrl+F7"},
        {"back_8", kEmptyBackupCaption, "Shift+Ctrl+F8"},
        {"back_9", kEmptyBackupCaption, "Shift+Ctrl+F9"},
        {"back_10", kEmptyBackupCaption, "Shift+Ctrl+F10"},
    };
    return commands;
}

const CommandInfo* FindCommand(std::string_view name) {
    const auto& commands = MainCommands();
    auto it = std::find_if(commands.begin(), commands.end(),
                           [&](const CommandInfo& c) { return c.name == name; });
    return it == commands.end() ? nullptr : &*it;
}

const std::vector<MenuInfo>& MainMenus() {
    static const std::vector<MenuInfo> menus = {
        {"ファイル(&F)",
         {{"new1data"},
          {"new2Data"},
          {"-"},
          {"fileopen"},
          {"-"},
          {"filesave"},
          {"fileAsSave"},
          {"-"},
          {"printnote"},
          {"-"},
          {"FileExit1"}}},
        {kEditMenuCaption,
         {{kUndoCommand},
          {kRedoCommand},
          {"-"},
          {"datainput"},
          {"dataedit"},
          {"moveTop"},
          {"MoveDown"},
          {"-"},
          {"", "科目検索", "Ctrl+R", {"searchKamoku", "cancelKamoku"}},
          {"", "摘要で検索(部分一致)", "", {"searchItem", "cancelItem"}},
          {"", "収入金額で検索", "", {"searchIncome", "cancelIncome"}},
          {"", "支出金額で検索", "", {"searchOutcome", "cancelOutcome"}},
          {"searchPreview"},
          {"searchClear"},
          {"-"},
          {"masterKamoku"},
          {kMonthlyListItem}}},
        {"その他(&O)",
         {{"csvfileOut"},
          {"importStatement"},
          {"dateAgain"},
          {"kingakuAgain"},
          {"-"},
          {"mdisplay_write"}}},
        {kBackupMenuCaption,
         {{"back_1"},
          {"back_2"},
          {"back_3"},
          {"back_4"},
          {"back_5"},
          {"back_6"},
          {"back_7"},
          {"back_8"},
          {"back_9"},
          {"back_10"}}},
        {"設定(&T)", {{"configExec"}, {"-"}, {"cashcalcExec"}, {"calcExec"}}},
        {"ヘルプ(取扱説明書)(&H)",
         {{kOnlineHelpItem}, {kOfflineHelpItem}, {"-"}, {kWorkingFolderItem}}},
    };
    return menus;
}

const std::vector<RibbonPageInfo>& RibbonPages() {
    static const std::vector<RibbonPageInfo> pages = {
        {"データファイル",
         {{"読み込み", {{"fileopen", "ﾌｧｲﾙを開く"}}},
          {"データ保存", {{"filesave", ""}, {"fileAsSave", "名前をつけて"}}},
          {"マスターデータ", {{"masterKamoku", ""}}},
          {"新規帳簿作成", {{"new1data", "現金出納帳"}, {"new2Data", "おこづかい帳"}}},
          {"表示中のデータから残高を引き継いで次年度分を作成", {{"makeNextData", "次年度作成"}}}}},
        {"現金出納帳",
         {{"データ入力",
           {{"datainput", "新規入力"},
            {"dataedit", "修　正"},
            {"masterKamoku", ""},
            {"masterKamoku", ""}}},
          {"帳簿選択", {{"note1", ""}, {"note2", ""}, {"note3", ""}}},
          {"検索条件指定",
           {{"target_Notes", ""},
            {"searchKamoku", ""},
            {"searchClear", ""},
            {kAllBooksCheck, "全帳簿から検索", true},
            {kDateSearchCommand, "日付指定", true}}},
          {"帳簿印刷", {{"printnote", ""}, {"printzandaka", "帳簿残高"}}}}},
        {"月別一覧表",
         {{"表示切替", {{"back", ""}, {"monthlySum", "月別一覧表"}, {"graph", ""}}},
          {"印　刷",
           {{"monthlyprint", "月別一覧表"},
            {"incomeprint", "入出金集計"},
            {"graphprint", "入出金グラフ"}}}}},
        {"その他",
         {{"外部プログラム起動", {{"cashcalcExec", ""}, {"calcExec", ""}}},
          {"データ保守", {{"kingakuAgain", ""}, {"dateAgain", ""}}},
          {"外部出力・設定",
           {{"csvfileOut", "CSV出力"}, {"importStatement", "CSV取込"}, {"configExec", ""}}}}},
    };
    return pages;
}

bool IsInMenu(std::string_view menuCaption, std::string_view command) {
    for (const MenuInfo& m : MainMenus()) {
        if (m.caption != menuCaption) continue;
        for (const MenuEntry& e : m.entries) {
            if (e.command == command) return true;
            for (std::string_view c : e.submenu)
                if (c == command) return true;
        }
    }
    return false;
}

}  // namespace velmora
