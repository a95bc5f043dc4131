// Peak heap during LoadLedger against the size of the file it reads. Every allocation of
// the program goes through the replaced global operator new and delete below, which keep
// the bytes in use (as malloc hands them out) and the highest figure reached.
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"

namespace {

// Process-wide on purpose: they see every allocation, whoever makes it. One thread only.
std::size_t gHeapInUse = 0;
std::size_t gHeapPeak = 0;

void* CountedAllocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    gHeapInUse += malloc_usable_size(block);
    gHeapPeak = std::max(gHeapPeak, gHeapInUse);
    return block;
}

void CountedRelease(void* block) noexcept {
    if (block == nullptr) return;
    gHeapInUse -= malloc_usable_size(block);
    std::free(block);
}

// Heap figures of one operation, above what was in use when it started.
struct HeapUse {
    std::size_t peak = 0;
    std::size_t retained = 0;
};

template <typename Operation>
HeapUse MeasureHeap(Operation&& operation) {
    const std::size_t before = gHeapInUse;
    gHeapPeak = before;
    operation();
    return {gHeapPeak - before, gHeapInUse > before ? gHeapInUse - before : 0};
}

std::string Megabytes(std::size_t bytes) {
    return velmora::bench::Fixed(static_cast<double>(bytes) / (1024.0 * 1024.0), 1) + " MiB";
}

void Report(const char* label, const HeapUse& use, std::uintmax_t fileBytes, double limit) {
    const double ratio = static_cast<double>(use.peak) / static_cast<double>(fileBytes);
    std::printf("%-34s peak %s, kept %s\n", label, Megabytes(use.peak).c_str(),
                Megabytes(use.retained).c_str());
    if (limit > 0)
        velmora::bench::PrintFigure(
            std::string("peak heap of ") + label + " / file size",
            velmora::bench::Fixed(ratio, 2) + "x (" + Megabytes(use.peak) + ")",
            "<= " + velmora::bench::Fixed(limit, 0) + "x", ratio <= limit);
}

}  // namespace

void* operator new(std::size_t size) {
    return CountedAllocate(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocate(size);
}
void operator delete(void* block) noexcept {
    CountedRelease(block);
}
void operator delete[](void* block) noexcept {
    CountedRelease(block);
}
void operator delete(void* block, std::size_t) noexcept {
    CountedRelease(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    CountedRelease(block);
}

int main() {
    using namespace velmora;
    using namespace velmora::bench;
    ScratchFolder folder;
    std::string path;
    std::uintmax_t fileBytes = 0;
    {
        const PreparedLedger prepared = PrepareLedgerFile(folder, BenchRecordCount());
        path = prepared.path;
        fileBytes = prepared.fileBytes;
        std::printf("ledger file: %d records, %s (%ju bytes)\n",
                    prepared.ledger.transactions.Count(), Megabytes(fileBytes).c_str(), fileBytes);
    }
    Report("ReadTextLines", MeasureHeap([&] { ReadTextLines(path); }), fileBytes, 0);
    Report("ReadLedgerFile",
           MeasureHeap([&] { ReadLedgerFile(path, Ledger{}, Date::FromYmd(2024, 10, 15)); }),
           fileBytes, 0);

    QuietSession quiet(folder.Path());
    bool loaded = false;
    Report("LoadLedger", MeasureHeap([&] { loaded = LoadLedger(quiet.session(), path); }),
           fileBytes, 4);
    // Loading again keeps the open ledger until the new one is whole.
    Report("LoadLedger over an open ledger",
           MeasureHeap([&] { loaded = loaded && LoadLedger(quiet.session(), path); }), fileBytes,
           0);
    if (!loaded) {
        std::fprintf(stderr, "the ledger did not load\n");
        return 1;
    }
    return 0;
}
