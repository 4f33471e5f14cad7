// The store's record operations with 1,000 and with 100,000 rows in the table: the larger
// table may cost at most 3× the smaller, since every lookup goes through an index.
#include "BenchData.h"
#include "store/Store.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace brassbell {
namespace {

struct FilledStore {
    bench::ScratchFolder folder;
    std::unique_ptr<Store> store;

    explicit FilledStore(int rows) {
        bench::makeFilledRulesDb(folder.path() / "Rules.mdb", rows);
        store = std::make_unique<Store>(folder.path() / "Rules.mdb");
        store->fDBConnect(true);
    }
};

std::u16string u16(const std::string& text) {
    return {text.begin(), text.end()};
}

void BM_AddAndDeleteByText(benchmark::State& state) {
    FilledStore filled(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        filled.store->fAddRecord("tbl_Say", "SayText", u"a text added and deleted again");
        filled.store->fDelRecord("tbl_Say", "SayText", u"a text added and deleted again");
    }
}

void BM_ChangeByText(benchmark::State& state) {
    FilledStore filled(static_cast<int>(state.range(0)));
    // A text in the middle of the table, so a scan would have to read half of it.
    const std::u16string middle = u16("say text number " + std::to_string(state.range(0) / 2));
    for (auto _ : state) {
        filled.store->fChangeRecord("tbl_Say", "SayText", middle, u"changed for a moment");
        filled.store->fChangeRecord("tbl_Say", "SayText", u"changed for a moment", middle);
    }
}

void BM_DeleteRuleWithTranslations(benchmark::State& state) {
    FilledStore filled(static_cast<int>(state.range(0)));
    const std::int32_t lang = *filled.store->languageIdByName(u"language 1");
    for (auto _ : state) {
        const std::int32_t rule = filled.store->addRule(u"a rule added and deleted again");
        filled.store->addTranslation(lang, rule, u"its translation");
        filled.store->deleteRule(rule);
    }
}

void BM_GetTranslation(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    FilledStore filled(rows);
    std::int32_t rule = 0;
    for (auto _ : state) {
        rule = rule % rows + 1;
        benchmark::DoNotOptimize(filled.store->fGetTranslation(rule, 1));
    }
}

BENCHMARK(BM_AddAndDeleteByText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChangeByText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteRuleWithTranslations)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetTranslation)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace brassbell
