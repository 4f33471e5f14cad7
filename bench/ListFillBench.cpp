// List filling with 1,000 rows, the data side (reading the records) and the widget side
// (filling the real list widgets, offscreen). Goal: below 16 ms, one frame.
#include "BenchData.h"
#include "store/Store.h"
#include "uikit/ListBoxFill.h"
#include "uikit/ListViewFill.h"

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace brassbell {
namespace {

constexpr int kRows = 1000;

struct Filled {
    bench::ScratchFolder folder;
    Store store{folder.path() / "Rules.mdb"};
    Filled() {
        bench::makeFilledRulesDb(folder.path() / "Rules.mdb", kRows);
        store.fDBConnect(true);
    }
};

void BM_ListBoxData(benchmark::State& state) {
    Filled filled;
    for (auto _ : state)
        benchmark::DoNotOptimize(filled.store.firstColumn("SELECT SayText FROM tbl_Say"));
}

void BM_ListBoxWidget(benchmark::State& state) {
    Filled filled;
    QListWidget list;
    list.resize(300, 200);
    list.show();
    for (auto _ : state) {
        fFillListBox(&list, filled.store, "SELECT SayText FROM tbl_Say");
        QApplication::processEvents();
    }
    if (list.count() != kRows)
        state.SkipWithError("the list did not get every row");
}

void BM_ListViewWidget(benchmark::State& state) {
    Filled filled;
    QTreeWidget list;
    list.resize(500, 300);
    list.show();
    for (auto _ : state) {
        fFillListView(&list, filled.store, "tbl_Userdef", false);
        QApplication::processEvents();
    }
    if (list.topLevelItemCount() != kRows)
        state.SkipWithError("the view did not get every row");
}

BENCHMARK(BM_ListBoxData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListBoxWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListViewWidget)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brassbell

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
