#include "core/app/reports_controller.h"

#include <exception>
#include <optional>

#include "core/app/command_scope.h"
#include "core/platform/file_io.h"
#include "core/reports/graph_layout.h"
#include "core/session/file_commands.h"

namespace velmora {

void ReportsController::ShowSummaryPage() {
    app_.ChangeRibbonPage(RibbonPage::Summary);
}

// Every build of the summary shows its page, also from the graph page.
void ReportsController::GoBack() {
    Application::CommandScope scope(app_);
    MonthlySummary& summary = app_.summary_;
    const int level = summary.drillLevel();
    summary.GoBack(app_.mainPage_ == MainPage::Preview, app_.session_.ledger,
                   app_.services_.dialogs);
    if (summary.drillLevel() != level) app_.mainPage_ = MainPage::Summary;
    app_.pending_ |= kSummaryPending;
}

void ReportsController::SummarizeByTitle() {
    Application::CommandScope scope(app_);
    app_.leftPaneShown_ = false;
    app_.summary_.RebuildTitleLevel(app_.session_.ledger);
    app_.mainPage_ = MainPage::Summary;
    app_.summaryStale_ = false;
    app_.pending_ |= kSummaryPending;
}

void ReportsController::ShowGraph() {
    Application::CommandScope scope(app_);
    app_.leftPaneShown_ = false;
    if (app_.summaryStale_) {
        app_.summary_.OpenPage(app_.session_.ledger);
        app_.summaryStale_ = false;
        app_.pending_ |= kSummaryPending;
    }
    app_.mainPage_ = MainPage::Graph;
}

void ReportsController::ChooseBook(int item) {
    Application::CommandScope scope(app_);
    app_.summary_.ChooseBook(item, app_.session_.ledger);
    app_.summaryStale_ = false;
    app_.pending_ |= kSummaryPending;
}

void ReportsController::DrillIntoTitle(const std::string& title) {
    Application::CommandScope scope(app_);
    app_.summary_.DrillInto(title, app_.session_.ledger);
    app_.summaryStale_ = false;
    app_.pending_ |= kSummaryPending;
}

bool ReportsController::DrillDownRow(int row) {
    Application::CommandScope scope(app_);
    if (!app_.summary_.DrillDownRow(row, app_.session_.ledger, app_.services_.dialogs))
        return false;
    app_.summaryStale_ = false;
    app_.pending_ |= kSummaryPending;
    return true;
}

bool ReportsController::SaveGraphImage(const std::function<std::string()>& encode) {
    const AppServices& services = app_.services_;
    const std::optional<std::string> path = services.dialogs.AskSaveFile(GraphImageRequest());
    if (!path || RefuseProtectedOutput(app_.session_, *path)) return false;
    std::string reason;
    if (const std::string bytes = encode(); !bytes.empty()) {
        try {
            services.writer.WriteOutput(*path, bytes, OutputModeLimit(app_.session_.currentFile));
            return true;
        } catch (const std::exception& error) {
            reason = std::string("\n") + error.what();
        }
    }
    services.dialogs.ShowInfo("確認", std::string(kGraphImageNotSaved) + "\n" + *path + reason);
    return false;
}

// The widths the window shows already: nothing to tell but what every command compares.
void ReportsController::SetLayout(const SummaryLayout& layout) {
    Application::CommandScope scope(app_);
    app_.summaryLayout_ = layout;
}

}  // namespace velmora
