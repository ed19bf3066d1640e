// Cost of filling the snipe list with 10,000 snipes on the headless backend, ungrouped and
// grouped by seller, beside splitting the same lines at TAB.
#include "client/app/list_display.h"
#include "client/app/tests/snipe_lines.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/list_view.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kv::app;

struct ListForm : kv::ui::Form {
    ListForm() : kv::ui::Form("frmListBench") {}
    kv::ui::ListView& list = add<kv::ui::ListView>("lvListView");
};

const std::vector<std::string>& lines() {
    static const std::vector<std::string> l = bench::snipeLines(10000);
    return l;
}

void fill(benchmark::State& state, int groupField, const std::string& groupTitle) {
    kv::ui::headless::install();
    ListForm& form = kv::ui::app().form<ListForm>();
    for (auto _ : state) {
        fillAuctionList(form.list, lines(), groupField, groupTitle);
        benchmark::DoNotOptimize(form.list.itemCount());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    kv::ui::resetForTests();
}

void BM_FillList(benchmark::State& state) {
    fill(state, 0, "");
}
BENCHMARK(BM_FillList)->Unit(benchmark::kMillisecond);

void BM_FillListGroupedBySeller(benchmark::State& state) {
    fill(state, 4, "Seller");
}
BENCHMARK(BM_FillListGroupedBySeller)->Unit(benchmark::kMillisecond);

void split(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::splitAtTabs(lines()));
    state.SetItemsProcessed(state.iterations() * 10000);
}
void BM_FillList_Floor(benchmark::State& state) {
    split(state);
}
BENCHMARK(BM_FillList_Floor)->Unit(benchmark::kMillisecond);
void BM_FillListGroupedBySeller_Floor(benchmark::State& state) {
    split(state);
}
BENCHMARK(BM_FillListGroupedBySeller_Floor)->Unit(benchmark::kMillisecond);

} // namespace
