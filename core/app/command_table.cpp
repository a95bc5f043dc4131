#include "core/app/command_table.h"

#include <algorithm>

#include "core/app/application.h"
#include "core/print/report_kind.h"

namespace velmora {
namespace {

// The handlers of the rows: most call one command of the application object or of one of
// its controllers; the rest pass it what the window shows, or are the window's own.
template <void (Application::*Command)()>
void Call(Application& app, CommandWindow& /*window*/) {
    (app.*Command)();
}

template <void (BooksController::*Command)()>
void Books(Application& app, CommandWindow& /*window*/) {
    (app.books().*Command)();
}

template <void (EntryController::*Command)()>
void Entry(Application& app, CommandWindow& /*window*/) {
    (app.entry().*Command)();
}

template <void (SearchController::*Command)()>
void Search(Application& app, CommandWindow& /*window*/) {
    (app.search().*Command)();
}

template <void (ReportsController::*Command)()>
void Reports(Application& app, CommandWindow& /*window*/) {
    (app.reports().*Command)();
}

template <void (FilesController::*Command)()>
void Files(Application& app, CommandWindow& /*window*/) {
    (app.files().*Command)();
}

template <int Kind>
void PrintReport(Application& app, CommandWindow& /*window*/) {
    app.printing().PrintReport(Kind);
}

template <int N>
void RestoreBackup(Application& app, CommandWindow& /*window*/) {
    app.files().RestoreBackup(N);
}

void EditSelectedRecord(Application& app, CommandWindow& window) {
    const std::optional<int> row = window.SelectedGridRow();
    app.entry().EditSelectedRecord(window.SelectedRecord());
    window.KeyboardBackToLedger(row);
}

void OpenEntryForm(Application& app, CommandWindow& window) {
    app.entry().OpenForm();
    window.KeyboardBackToLedger(std::nullopt);
}

void SearchByDescription(Application& app, CommandWindow& window) {
    app.search().SearchByDescription(window.SelectedRecord());
}

// PgUp and PgDown: on the preview they turn its pages, elsewhere they select a ledger row.
void SelectFirstRow(Application& app, CommandWindow& window) {
    if (app.TurnsPreviewPage("moveTop")) return app.printing().TurnPreviewPage(false);
    window.SelectGridRow(app.books().FirstRowToSelect());
}

void SelectLastRow(Application& app, CommandWindow& window) {
    if (app.TurnsPreviewPage("MoveDown")) return app.printing().TurnPreviewPage(true);
    window.SelectGridRow(app.books().LastRowToSelect());
}

void ToggleDateSearch(Application& /*app*/, CommandWindow& window) {
    window.ToggleDateSearch();
}

void SaveLedgerLayout(Application& app, CommandWindow& window) {
    app.files().SaveLedgerLayout(window.ShownLedgerLayout());
}

// "月別科目一覧表" (Ctrl+E): the summary page, with the ribbon page that belongs to it.
void ShowSummaryPage(Application& app, CommandWindow& window) {
    app.reports().ShowSummaryPage();
    window.ShowRibbonPage(RibbonPage::Summary);
}

void CloseWindow(Application& /*app*/, CommandWindow& window) {
    window.CloseWindow();
}

}  // namespace

const std::vector<CommandInfo>& MainCommands() {
    static const std::vector<CommandInfo> commands = {
        {"note1", "現金出納帳", "", Books<&BooksController::SelectCashBook>},
        {"note2", "小口現金", "", Books<&BooksController::ChoosePettyCashBook>},
        {"note3", "預金出納帳", "", Books<&BooksController::ChooseBankBook>},
        {"datainput", "出納帳データ入力", "F5", OpenEntryForm},
        {"dataedit", "修正", "Ctrl+F5", EditSelectedRecord},
        {"moveTop", "先頭行へ移動", "PgUp", SelectFirstRow},
        {"MoveDown", "最終行へ移動", "PgDown", SelectLastRow},
        {"target_Notes", "検索実行", "Ctrl+F", Search<&SearchController::RunSearch>},
        {"searchKamoku", "科目検索", "", Search<&SearchController::SearchByTitle>},
        {"searchItem", "摘要で検索(部分一致)", "", SearchByDescription},
        {"searchIncome", "収入金額で検索", "", Search<&SearchController::SearchByIncome>},
        {"searchOutcome", "支出金額で検索", "", Search<&SearchController::SearchByExpense>},
        {"searchPreview", "現在の検索条件を表示", "",
         Search<&SearchController::ShowSearchConditions>},
        {"cancelKamoku", "科目検索解除", "", Search<&SearchController::ClearTitleSearch>},
        {"cancelItem", "摘要検索解除", "", Search<&SearchController::ClearDescriptionSearch>},
        {"cancelIncome", "収入金額検索解除", "", Search<&SearchController::ClearIncomeSearch>},
        {"cancelOutcome", "支出金額検索解除", "", Search<&SearchController::ClearExpenseSearch>},
        {"searchClear", "検索解除", "Esc", Search<&SearchController::ClearSearches>},
        {"datesearch", "日付指定", "", ToggleDateSearch},
        {"masterKamoku", "科目設定", "Ctrl+B", Books<&BooksController::EditTitles>},
        {"new1data", "新規作成(現金出納帳)", "Ctrl+M", Files<&FilesController::NewCashBookLedger>},
        {"new2Data", "新規作成(おこづかい帳)", "Ctrl+N",
         Files<&FilesController::NewAllowanceBookLedger>},
        {"makeNextData", "表示中のデータから残高を引き継いで次年度分を作成", "",
         Files<&FilesController::MakeNextYearLedger>},
        {"fileopen", "ファイルを開く", "Ctrl+O", Files<&FilesController::Open>},
        {"filesave", "保　存", "Ctrl+S", Files<&FilesController::Save>},
        {"fileAsSave", "名前をつけて保存", "Ctrl+A", Files<&FilesController::SaveAs>},
        {"csvfileOut", "CSVファイルへ出力", "", Files<&FilesController::OpenCsvExport>},
        {"importStatement", "CSVファイルから取込…", "", Entry<&EntryController::ImportStatement>},
        {"dateAgain", "日付再計算", "", Books<&BooksController::RecalculateDates>},
        {"kingakuAgain", "金額再計算", "", Books<&BooksController::RecalculateAmounts>},
        {"mdisplay_write", "現在の画面デザインを保存する", "", SaveLedgerLayout},
        {"configExec", "環境設定", "Ctrl+G", Books<&BooksController::EditSettings>},
        {"back", "Back", "", Reports<&ReportsController::GoBack>},
        {"monthlySum", "集計", "", Reports<&ReportsController::SummarizeByTitle>},
        {"graph", "入出金グラフ", "", Reports<&ReportsController::ShowGraph>},
        {.name = "printnote",
         .caption = "出納帳印刷",
         .key = "Ctrl+P",
         .run = PrintReport<kCashLedgerReport>,
         .printKind = kCashLedgerReport},
        {.name = "printzandaka",
         .caption = "帳簿残高印刷",
         .key = "",
         .run = PrintReport<kBookBalancesReport>,
         .printKind = kBookBalancesReport},
        {.name = "monthlyprint",
         .caption = "印刷",
         .key = "",
         .run = PrintReport<kMonthlyTitlesReport>,
         .printKind = kMonthlyTitlesReport},
        {.name = "incomeprint",
         .caption = "入出金集計表印刷",
         .key = "",
         .run = PrintReport<kIncomeExpenseReport>,
         .printKind = kIncomeExpenseReport},
        {.name = "graphprint",
         .caption = "入出金グラフ印刷",
         .key = "",
         .run = PrintReport<kGraphReport>,
         .printKind = kGraphReport},
        {"calcExec", "電卓を起動", "", Call<&Application::OpenCalculator>},
        {"cashcalcExec", "金種計算", "", Call<&Application::OpenMoneyCount>},
        {"FileExit1", "終了(&X)", "", CloseWindow},
        // Undo and redo: the text shows what they would take back or do again.
        {kUndoCommand, "元に戻す", "Ctrl+Z", Entry<&EntryController::Undo>},
        {kRedoCommand, "やり直し", "Ctrl+Y", Entry<&EntryController::Redo>},
        // Menu items of their own.
        {kMonthlyListItem, "月別科目一覧表", "Ctrl+E", ShowSummaryPage},
        {kOnlineHelpItem, "オンラインヘルプ(取扱説明書)", "F1",
         Call<&Application::OpenOnlineManual>},
        {kOfflineHelpItem, "オフラインヘルプ(取扱説明書)", "",
         Call<&Application::OpenOfflineManual>},
        {kWorkingFolderItem, "作業フォルダーを開く", "", Call<&Application::OpenWorkingFolder>},
        {"back_1", kEmptyBackupCaption, "Shift+Ctrl+F1", RestoreBackup<1>},
        {"back_2", kEmptyBackupCaption, "Shift+Ctrl+F2", RestoreBackup<2>},
        {"back_3", kEmptyBackupCaption, "Shift+Ctrl+F3", RestoreBackup<3>},
        {"back_4", kEmptyBackupCaption, "Shift+Ctrl+F4", RestoreBackup<4>},
        {"back_5", kEmptyBackupCaption, "Shift+Ctrl+F5", RestoreBackup<5>},
        {"back_6", kEmptyBackupCaption, "Shift+Ctrl+F6", RestoreBackup<6>},
        {"back_7", kEmptyBackupCaption, "Shift+Ctrl+F7", RestoreBackup<7>},
        {"back_8", kEmptyBackupCaption, "Shift+Ctrl+F8", RestoreBackup<8>},
        {"back_9", kEmptyBackupCaption, "Shift+Ctrl+F9", RestoreBackup<9>},
        {"back_10", kEmptyBackupCaption, "Shift+Ctrl+F10", RestoreBackup<10>},
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
