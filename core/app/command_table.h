#pragma once
// The main window's commands, menus and ribbon as data: one row per command with its
// caption, key and handler, the menu bar in order and the ribbon's pages, groups and
// buttons. The windows build their actions, menus and buttons from these tables and nothing
// else.
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

class Application;
struct LedgerLayout;
enum class RibbonPage;

// What a command needs of the window it runs in: the record selected on the ledger grid and
// the layout shown, and the few things only the window does.
class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    virtual std::optional<int> SelectedRecord() const = 0;
    virtual LedgerLayout ShownLedgerLayout() const = 0;
    virtual void SelectGridRow(int row) = 0;
    // "日付指定" of the ribbon: its check box turned over.
    virtual void ToggleDateSearch() = 0;
    virtual void ShowRibbonPage(RibbonPage page) = 0;
    virtual void CloseWindow() = 0;
    // The grid row (1-based) selected now; none when no row is.
    virtual std::optional<int> SelectedGridRow() const = 0;
    // The entry form has closed: the keyboard back on the ledger grid, on gridRow when given
    // (the edited row, which after a deletion holds the record that followed).
    virtual void KeyboardBackToLedger(std::optional<int> gridRow) = 0;
};

using CommandHandler = void (*)(Application& app, CommandWindow& window);

struct CommandInfo {
    // The old program's command identifier: the key of the window's action, its icon file
    // and the ribbon buttons' names depend on it.
    std::string_view name;     // "fileopen"
    std::string_view caption;  // "ファイルを開く"
    // The key in portable form ("Ctrl+O", "F5", "PgUp", "Esc"); empty for none.
    std::string_view key;
    CommandHandler run;
    // A print command: the report kind whose print command it gives
    // (Application::PrintReport); 0 for any other command.
    int printKind = 0;
};

// Every command of the main window, in the order of the window's action list.
const std::vector<CommandInfo>& MainCommands();
// The row of name; nullptr when there is none.
const CommandInfo* FindCommand(std::string_view name);

// One entry of a menu: a command, a separator ("-"), or a submenu of commands.
struct MenuEntry {
    std::string_view command;  // "-" for a separator; empty for a submenu
    std::string_view submenuCaption = {};
    std::string_view submenuKey = {};
    std::vector<std::string_view> submenu = {};
};

struct MenuInfo {
    std::string_view caption;  // "ファイル(&F)"
    std::vector<MenuEntry> entries;
};

// The menu bar in order. The backup menu lists its ten entries as "back_1" … "back_10".
const std::vector<MenuInfo>& MainMenus();

// True when command is an item of the menu captioned menuCaption or of one of its
// submenus.
bool IsInMenu(std::string_view menuCaption, std::string_view command);

// Menu items that are not commands of the action list.
inline constexpr std::string_view kMonthlyListItem = "monthlyList";  // "月別科目一覧表"
inline constexpr std::string_view kOnlineHelpItem = "onlineHelp";
inline constexpr std::string_view kOfflineHelpItem = "offlineHelp";
inline constexpr std::string_view kWorkingFolderItem = "openWorkingFolder";
inline constexpr std::string_view kUndoCommand = "undo";
inline constexpr std::string_view kRedoCommand = "redo";
// Redo answers to this key too, as in most editors.
inline constexpr std::string_view kRedoSecondKey = "Ctrl+Shift+Z";
inline constexpr std::string_view kEditMenuCaption = "編集＆検索(&E)";
inline constexpr std::string_view kBackupMenuCaption = "バックアップファイル(&B)";
inline constexpr std::string_view kEmptyBackupCaption = "---";
inline constexpr int kBackupItems = 10;
// The key that takes the keyboard to the ribbon's page tabs and back to the ledger, as F6
// moves between the panes of a window; in the ribbon the arrow keys go from button to
// button and Space or Enter presses one.
inline constexpr std::string_view kRibbonFocusKey = "F6";

// One control of a ribbon group: a button bound to a command, with its caption under the
// picture (empty: a picture button whose tooltip is the command's caption), or a check box.
struct RibbonControl {
    std::string_view command;
    std::string_view caption;
    bool checkBox = false;
};

struct RibbonGroup {
    std::string_view label;
    std::vector<RibbonControl> controls;
};

struct RibbonPageInfo {
    std::string_view caption;
    std::vector<RibbonGroup> groups;
};

// The four ribbon pages in order.
const std::vector<RibbonPageInfo>& RibbonPages();

// Commands bound to the two ribbon check boxes.
inline constexpr std::string_view kAllBooksCheck = "allBooks";  // "全帳簿から検索"
inline constexpr std::string_view kDateSearchCommand = "datesearch";

// The status bar: eight panels with their widths at design size.
inline constexpr int kStatusPanelWidths[8] = {100, 200, 50, 450, 30, 320, 40, 40};

// The left pane's pages' captions in order (the main pages' are in main_pages.h).
inline constexpr std::string_view kLeftPageCaptions[2] = {"科目指定", "印刷"};
inline constexpr std::string_view kLeftInnerPageCaptions[2] = {"科目別集計", "各帳簿別残高"};

}  // namespace velmora
