#pragma once
// Runs the registered benchmarks and then prints each figure against its target, so that a
// ratio to a baseline is taken from the same run on the same machine. Lines of the summary
// start with "FIGURE" and hold tab-separated label, figure, target and verdict.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::bench {

// Which time a figure is judged by. The machine is shared: CPU time is steady under the
// load of other processes and suits work that only computes; real time also counts the
// waits for the disk, which is what a save is mostly made of.
enum class TimeBasis { kCpu, kReal };

struct FigureTarget {
    std::string label;
    std::string measured;  // the benchmark's name
    std::string baseline;  // empty: the limit is in milliseconds of the measured benchmark
    double limit = 0;      // the figure must not exceed it
    TimeBasis basis = TimeBasis::kCpu;
};

inline void PrintFigure(const std::string& label, const std::string& figure,
                        const std::string& target, bool met) {
    std::printf("FIGURE\t%s\t%s\t%s\t%s\n", label.c_str(), figure.c_str(), target.c_str(),
                met ? "ok" : "MISSED");
    std::fflush(stdout);
}

inline std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A target as it is written: "2" or "2.2".
inline std::string Limit(double value) {
    return Fixed(value, value == static_cast<double>(static_cast<long long>(value)) ? 0 : 1);
}

// The console output as usual, and the seconds per iteration of every run kept by name.
class FigureReporter final : public benchmark::ConsoleReporter {
public:
    // Without colours, so that the summary lines can be picked out of a log.
    FigureReporter() : ConsoleReporter(OO_Tabular) {}

    struct Seconds {
        double real = 0;
        double cpu = 0;
        double Of(TimeBasis basis) const { return basis == TimeBasis::kCpu ? cpu : real; }
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                const auto iterations = static_cast<double>(run.iterations);
                runs_[run.run_name.function_name].push_back(
                    {run.real_accumulated_time / iterations,
                     run.cpu_accumulated_time / iterations});
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median over repetitions (by real time) of one iteration.
    std::optional<Seconds> Median(const std::string& name) const {
        auto found = runs_.find(name);
        if (found == runs_.end() || found->second.empty()) return std::nullopt;
        std::vector<Seconds> values = found->second;
        std::sort(values.begin(), values.end(),
                  [](const Seconds& a, const Seconds& b) { return a.real < b.real; });
        return values[values.size() / 2];
    }

    void PrintFigures(const std::vector<FigureTarget>& targets) const {
        for (const FigureTarget& target : targets) {
            const auto measured = Median(target.measured);
            const auto baseline = target.baseline.empty() ? std::optional<Seconds>({1.0, 1.0})
                                                          : Median(target.baseline);
            if (!measured || !baseline) continue;  // filtered out of this run
            const std::string basis = target.basis == TimeBasis::kCpu ? "cpu" : "real";
            if (target.baseline.empty()) {
                const double ms = measured->Of(target.basis) * 1e3;
                PrintFigure(target.label,
                            Fixed(ms, 2) + " ms " + basis + " (real " +
                                Fixed(measured->real * 1e3, 2) + " ms)",
                            "<= " + Limit(target.limit) + " ms", ms <= target.limit);
            } else {
                const double ratio = measured->Of(target.basis) / baseline->Of(target.basis);
                PrintFigure(target.label,
                            Fixed(ratio, 2) + "x " + basis + " (" +
                                Fixed(measured->Of(target.basis) * 1e3, 1) + " / " +
                                Fixed(baseline->Of(target.basis) * 1e3, 1) + " ms; real " +
                                Fixed(measured->real / baseline->real, 2) + "x)",
                            "<= " + Limit(target.limit) + "x", ratio <= target.limit);
            }
        }
    }

private:
    std::map<std::string, std::vector<Seconds>> runs_;
};

// Reads benchmark's own options; false after an option it does not know (already said).
inline bool InitBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

// Runs what was registered, then prints the figures.
inline void RunWithFigures(const std::vector<FigureTarget>& targets) {
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintFigures(targets);
    benchmark::Shutdown();
}

}  // namespace velmora::bench
