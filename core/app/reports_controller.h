#pragma once

// The monthly summary and the graph as commands: each runs in the application's command
// scope and tells the listeners once, when it is complete.

#include <functional>
#include <string>

namespace velmora {

class Application;
struct SummaryLayout;

class ReportsController {
public:
    explicit ReportsController(Application& app) : app_(app) {}
    ReportsController(const ReportsController&) = delete;
    ReportsController& operator=(const ReportsController&) = delete;

    // "月別科目一覧表" (Ctrl+E): the summary page, as its ribbon page opens it.
    void ShowSummaryPage();
    // "科目別集計": the summary by title; "Back": the level above.
    void SummarizeByTitle();
    void GoBack();
    void ShowGraph();
    // The book selector of the summary page: item of its list (0: all books).
    void ChooseBook(int item);
    // The descriptions of title, as a double-click on the title's row shows them.
    void DrillIntoTitle(const std::string& title);
    // A double-click on row of the summary grid: the descriptions of that row's title, or
    // a beep for a row that has none. True when it drilled down.
    bool DrillDownRow(int row);
    // "画像として保存…" on the graph page: asks for a file and writes there the picture's
    // bytes that encode gives (empty: it could not be made), as every output is written;
    // the open ledger and the working folder's files are refused, a failed write is said.
    // True when written.
    bool SaveGraphImage(const std::function<std::string()>& encode);
    // The summary layout the window shows, kept for the close request.
    void SetLayout(const SummaryLayout& layout);

private:
    Application& app_;
};

}  // namespace velmora
