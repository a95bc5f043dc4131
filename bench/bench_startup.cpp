// The desktop program's start with the generated ledger named on its command line: from
// building the program to the main window shown with the current month in the ledger grid,
// beside the application object's own part (create, load and first view) without a window.
// Then the peak resident memory of the program against a bare Qt window and the core's
// load, each measured in a process of its own: this program started again with --peak-of.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QTabBar>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "bench/support/figure_reporter.h"
#include "core/app/application.h"
#include "core/print/recording_print_device.h"
#include "gui/app/desktop_program.h"
#include "gui/app/ui_setup.h"
#include "gui/mainwindow/main_window.h"

extern char** environ;

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

// The day the generated ledger is opened on: inside its fiscal year, as for the other
// benchmarks.
const Date kToday = Date::FromYmd(2024, 10, 15);
constexpr int kTodayMonth = 10;

class NoShell final : public Shell {
public:
    void OpenUrl(const std::string&) override {}
    void OpenPath(const std::string&) override {}
    bool StartProgram(const std::string&) override { return false; }
};

// The application object alone, with the services the desktop program gives it but no
// window: what velmora-cli and the benchmarks drive.
class CoreProgram {
public:
    CoreProgram(const std::string& workingFolder, const std::string& programFolder)
        : clock_(DateTime{kToday, 10 * 3600}),
          app_(AppServices{dialogs_, clock_, writer_, printer_, shell_, workingFolder,
                           programFolder}) {}

    Application& app() { return app_; }

private:
    QuietDialogs dialogs_;
    FixedClock clock_;
    DiskFileWriter writer_;
    RecordingPrintDevice printer_;
    NoShell shell_;
    Application app_;
};

struct Folders {
    std::string working;
    std::string program = VELMORA_SOURCE_DATA_DIR;
    std::string file;
};

ProgramOptions StartOptions(const std::string& file) {
    ProgramOptions options;
    options.file = file;
    options.today = kToday;
    return options;
}

// The current month's rows as the application object built them.
bool ShowsCurrentMonth(const Application& app) {
    return app.session().currentMonth == kTodayMonth && !app.ledgerView().rows.empty();
}

// The month is on screen: the grid has taken the view's rows and the month's tab is chosen.
bool GridShowsCurrentMonth(gui::DesktopProgram& program) {
    gui::MainWindow& window = program.window();
    const Application& app = program.app();
    const auto* tabs = window.findChild<QTabBar*>("monthTabs");
    return window.isVisible() && ShowsCurrentMonth(app) && tabs != nullptr &&
           tabs->currentIndex() == app.ledgerView().ledgerTab && app.ledgerView().ledgerTab != 0 &&
           window.ledgerGrid()->verticalHeader()->count() ==
               static_cast<int>(app.ledgerView().rows.size());
}

void RegisterStartupBenchmarks(const Folders& folders) {
    benchmark::RegisterBenchmark("StartCore",
                                 [folders](benchmark::State& state) {
                                     for (auto _ : state) {
                                         auto core = std::make_unique<CoreProgram>(folders.working,
                                                                                   folders.program);
                                         core->app().Create();
                                         core->app().Show(folders.file);
                                         state.PauseTiming();
                                         if (!ShowsCurrentMonth(core->app()))
                                             state.SkipWithError("the month is not shown");
                                         core.reset();
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("StartProgram",
                                 [folders](benchmark::State& state) {
                                     QuietDialogs dialogs;
                                     const ProgramOptions options = StartOptions(folders.file);
                                     for (auto _ : state) {
                                         auto program = std::make_unique<gui::DesktopProgram>(
                                             gui::DesktopFolders{folders.working, folders.program},
                                             options, dialogs);
                                         if (!program->Start())
                                             state.SkipWithError("the program did not start");
                                         QApplication::processEvents();
                                         state.PauseTiming();
                                         if (!GridShowsCurrentMonth(*program))
                                             state.SkipWithError("the month is not shown");
                                         program.reset();
                                         QApplication::processEvents();
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
}

// The first start in a process also pays for what Qt prepares once (style, fonts, icons);
// a user's start is such a first start. Said beside the figures, which are of later starts.
void ReportFirstStart(const Folders& folders) {
    QuietDialogs dialogs;
    const auto begin = std::chrono::steady_clock::now();
    {
        gui::DesktopProgram program(gui::DesktopFolders{folders.working, folders.program},
                                    StartOptions(folders.file), dialogs);
        if (!program.Start()) return;
        QApplication::processEvents();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - begin;
        std::printf("first start in this process: %.1f ms real, month %s\n", elapsed.count(),
                    GridShowsCurrentMonth(program) ? "shown" : "NOT shown");
    }
    QApplication::processEvents();
}

// ---- peak memory, one process per case ----

// The high-water mark of this process's resident memory, in KiB (VmHWM).
long PeakResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// What a --peak-of process does before it reports its peak. False when the case did not
// come about (the ledger not shown).
bool RunPeakCase(const std::string& kind, const Folders& folders, int& argc, char** argv) {
    if (kind == "idle") return true;
    if (kind == "core") {
        CoreProgram core(folders.working, folders.program);
        core.app().Create();
        core.app().Show(folders.file);
        return ShowsCurrentMonth(core.app());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    if (kind == "window") {
        QMainWindow window;
        window.show();
        QApplication::processEvents();
        return window.isVisible();
    }
    if (kind == "program" || kind == "empty") {
        gui::SetUpJapaneseUi(qapp);
        QuietDialogs dialogs;
        ProgramOptions options = StartOptions(folders.file);
        // A working folder of its own that names no last file: a new, empty ledger.
        if (kind == "empty") options.file.reset();
        gui::DesktopProgram program(gui::DesktopFolders{folders.working, folders.program}, options,
                                    dialogs);
        if (!program.Start()) return false;
        QApplication::processEvents();
        return kind == "empty" ? program.window().isVisible() : GridShowsCurrentMonth(program);
    }
    return false;
}

// This program again with --peak-of kind; its peak resident memory in KiB, or nothing when
// it failed.
std::optional<long> ChildPeakKib(const std::string& kind, const Folders& folders) {
    int out[2];
    if (::pipe(out) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<std::string> args{"/proc/self/exe", "--peak-of", kind, folders.working,
                                  folders.file};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    if (spawned == 0) {
        char buffer[256];
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    if (spawned != 0) return std::nullopt;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    long kib = 0;
    if (std::sscanf(text.c_str(), "peak %ld", &kib) != 1) return std::nullopt;
    return kib;
}

std::string Mib(long kib) {
    return Fixed(static_cast<double>(kib) / 1024.0, 1) + " MiB";
}

// Returns false when a case failed.
bool ReportPeakMemory(const Folders& folders, std::uintmax_t fileBytes) {
    const auto idle = ChildPeakKib("idle", folders);
    const auto window = ChildPeakKib("window", folders);
    const auto core = ChildPeakKib("core", folders);
    const auto program = ChildPeakKib("program", folders);
    Folders fresh = folders;
    fresh.working += "-empty";
    const auto empty = ChildPeakKib("empty", fresh);
    if (!idle || !window || !core || !program || !empty) {
        std::fprintf(stderr, "a peak memory case failed\n");
        return false;
    }
    std::printf(
        "peak resident memory (VmHWM): this program doing nothing %s, bare Qt window %s, "
        "core load %s, desktop program with the ledger %s, with a new empty ledger %s\n",
        Mib(*idle).c_str(), Mib(*window).c_str(), Mib(*core).c_str(), Mib(*program).c_str(),
        Mib(*empty).c_str());
    // Each case carries the floor of this program's own process once; the sum carries it
    // twice, so the same ratio is said above the floor as well.
    const double aboveFloor = static_cast<double>(*program - *idle) /
                              static_cast<double>(*window - *idle + *core - *idle);
    std::printf("above the floor: program %s / (window %s + core %s) = %.2fx\n",
                Mib(*program - *idle).c_str(), Mib(*window - *idle).c_str(),
                Mib(*core - *idle).c_str(), aboveFloor);
    const long both = *window + *core;
    const double ratio = static_cast<double>(*program) / static_cast<double>(both);
    PrintFigure(
        "peak memory: program / (bare Qt window + core load)",
        Fixed(ratio, 2) + "x (" + Mib(*program) + " / (" + Mib(*window) + " + " + Mib(*core) + "))",
        "<= 3x", ratio <= 3);
    const std::string fileMib = Fixed(static_cast<double>(fileBytes) / 1048576.0, 1) + " MiB";
    // Beyond a bare Qt window the program also holds its own windows, fonts and pictures
    // whatever the ledger: said for comparison, not judged.
    const double aboveWindow =
        static_cast<double>(*program - *window) * 1024.0 / static_cast<double>(fileBytes);
    std::printf("program above a bare Qt window / ledger file size: %.2fx (%s / %s)\n", aboveWindow,
                Mib(*program - *window).c_str(), fileMib.c_str());
    // What the ledger costs the program: the same program started on a new, empty ledger
    // is the floor.
    const double perFile =
        static_cast<double>(*program - *empty) * 1024.0 / static_cast<double>(fileBytes);
    PrintFigure("peak memory: program above the program with an empty ledger / ledger file size",
                Fixed(perFile, 2) + "x (" + Mib(*program - *empty) + " / " + fileMib + ")", "<= 3x",
                perFile <= 3);
    return true;
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    // --peak-of KIND WORKING-FOLDER FILE: one case of the memory figures; prints its peak.
    if (argc == 5 && std::strcmp(argv[1], "--peak-of") == 0) {
        Folders folders;
        folders.working = argv[3];
        folders.file = argv[4];
        int qtArgc = 1;
        if (!RunPeakCase(argv[2], folders, qtArgc, argv)) return 1;
        std::printf("peak %ld\n", PeakResidentKib());
        return 0;
    }

    if (!InitBenchmarks(argc, argv)) return 1;
    OffscreenDesktopApplication qt(argc, argv);

    ScratchFolder scratch;
    Folders folders;
    folders.working = scratch.File("work");
    const PreparedLedger prepared = PrepareAnnouncedLedger(scratch);
    folders.file = prepared.path;
    // The working folder is made and filled on the first start; every start measured
    // finds it, as a user's does.
    CoreProgram(folders.working, folders.program).app().Create();

    ReportFirstStart(folders);
    RegisterStartupBenchmarks(folders);
    // A start shows one month: it may cost more for a larger file only by reading it.
    const double startLimit = BenchRecordCount() > 100000 ? 700 : 100;
    RunWithFigures({
        {"start-up: DesktopProgram to the month shown", "StartProgram", "", startLimit},
        {"start-up: DesktopProgram / core (create, load, first view)", "StartProgram", "StartCore",
         3},
    });
    return ReportPeakMemory(folders, prepared.fileBytes) ? 0 : 1;
}
