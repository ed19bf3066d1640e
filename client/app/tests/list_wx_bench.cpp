// The snipe list of 10,000 snipes in the real main window (wx, on a virtual display): the
// fill, a column click's sort and scrolling from top to bottom, each beside a plain
// wxListCtrl of the same size holding the same texts. scripts/bench.sh runs it under
// xvfb-run; without a display it skips every benchmark.
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/tests/snipe_lines.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/frame.h>
#include <wx/listctrl.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

using namespace kv;
using bench_rows = std::vector<std::vector<std::string>>;

const std::vector<std::string>& lines() {
    static const std::vector<std::string> l = app::bench::snipeLines(10000);
    return l;
}

// The main window on a machine of its own, shown once for the whole run.
struct Screen {
    machine::testing::TempMachine machine;
    ui::wx::WxBackend* backend = ui::wx::install();
    app::frmMain* main = nullptr;
    wxFrame* plainFrame = nullptr;
    wxListCtrl* plain = nullptr;

    Screen() {
        if (!backend) return;
        main = &ui::app().form<app::frmMain>();
        ui::app().setMainForm(main);
        // The list where the main window lays it out: 800 by 560 pixels, room for 25 rows.
        main->setGeometry({0, 0, 13500, 9600});
        main->show();
        main->lvListView.setGeometry({1500, 450, 12000, 8400});
        ui::app().waitPumping(500);
    }
    wxListCtrl* list() const {
        return dynamic_cast<wxListCtrl*>(backend->window(main->lvListView));
    }
    // A plain report list of the same size in a frame of its own.
    wxListCtrl* plainList() {
        if (!plain) {
            const wxSize size = list()->GetSize();
            plainFrame = new wxFrame(nullptr, wxID_ANY, "plain", wxDefaultPosition,
                                     wxSize(size.x + 40, size.y + 80));
            plain = new wxListCtrl(plainFrame, wxID_ANY, wxPoint(0, 0), size,
                                   wxLC_REPORT | wxLC_SINGLE_SEL);
            plainFrame->Show();
        }
        return plain;
    }
};

std::unique_ptr<Screen>& shown() {
    static std::unique_ptr<Screen> s;
    return s;
}

Screen* screen() {
    std::unique_ptr<Screen>& s = shown();
    if (!s) s = std::make_unique<Screen>();
    return s->backend && s->list() ? s.get() : nullptr;
}

// Lets the toolkit handle what is queued and paints the list now.
void flush(wxListCtrl* w) {
    ui::app().processMessages();
    w->Refresh();
    w->Update();
}

void fillMain(Screen& s) {
    app::fillAuctionList(s.main->lvListView, lines(), 0, "");
    flush(s.list());
}

// The plain list: the same texts, columns and row count, inserted row by row.
void fillPlain(wxListCtrl* w, const bench_rows& rows) {
    w->Freeze();
    w->DeleteAllItems();
    w->DeleteAllColumns();
    for (std::size_t c = 0; c < rows.front().size(); ++c)
        w->InsertColumn(static_cast<long>(c), wxString::FromUTF8(rows.front()[c]),
                        wxLIST_FORMAT_LEFT, 96);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const long row = w->InsertItem(static_cast<long>(r - 1), wxString::FromUTF8(rows[r][0]));
        w->SetItemData(row, static_cast<long>(r));
        for (std::size_t c = 1; c < rows[r].size(); ++c)
            w->SetItem(row, static_cast<long>(c), wxString::FromUTF8(rows[r][c]));
    }
    w->Thaw();
    flush(w);
}

const bench_rows& fields() {
    static const bench_rows f = app::bench::splitAtTabs(lines());
    return f;
}

void BM_FillListWx(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    for (auto _ : state)
        fillMain(*s);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FillListWx)->Unit(benchmark::kMillisecond);

void BM_FillListWx_Floor(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    for (auto _ : state)
        fillPlain(s->plainList(), fields());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FillListWx_Floor)->Unit(benchmark::kMillisecond);

// A click on the title column's header: each click sorts the other way round.
void BM_SortByColumnClickWx(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    fillMain(*s);
    for (auto _ : state) {
        ui::user::clickColumn(s->main->lvListView, 1);
        flush(s->list());
    }
}
BENCHMARK(BM_SortByColumnClickWx)->Unit(benchmark::kMillisecond);

// The plain list sorted by the same column's texts, alternately up and down.
void BM_SortByColumnClickWx_Floor(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    wxListCtrl* w = s->plainList();
    fillPlain(w, fields());
    static bool ascending = true;
    for (auto _ : state) {
        ascending = !ascending;
        w->SortItems(
            [](wxIntPtr a, wxIntPtr b, wxIntPtr) {
                const auto& ta = fields()[static_cast<std::size_t>(a)][1];
                const auto& tb = fields()[static_cast<std::size_t>(b)][1];
                const int c = wxString::FromUTF8(ta).CmpNoCase(wxString::FromUTF8(tb));
                return ascending ? c : -c;
            },
            0);
        flush(w);
    }
}
BENCHMARK(BM_SortByColumnClickWx_Floor)->Unit(benchmark::kMillisecond);

// Scrolls a filled list from the top to the bottom a page at a time, painting each page;
// the number of pages.
int scrollThrough(wxListCtrl* w) {
    w->EnsureVisible(0);
    flush(w);
    const int page = std::max(1, w->GetCountPerPage());
    int pages = 1;
    for (long row = page; row < w->GetItemCount(); row += page, ++pages) {
        w->EnsureVisible(std::min<long>(row + page - 1, w->GetItemCount() - 1));
        w->Update();
    }
    return pages;
}

void BM_ScrollListWx(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    fillMain(*s);
    for (auto _ : state)
        state.counters["pages"] = scrollThrough(s->list());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ScrollListWx)->Unit(benchmark::kMillisecond);

void BM_ScrollListWx_Floor(benchmark::State& state) {
    Screen* s = screen();
    if (!s) return state.SkipWithError("no display");
    fillPlain(s->plainList(), fields());
    for (auto _ : state)
        state.counters["pages"] = scrollThrough(s->plainList());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ScrollListWx_Floor)->Unit(benchmark::kMillisecond);

} // namespace

// The windows close and the machine folder goes before the program ends.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (Screen* s = shown().get(); s && s->plainFrame) s->plainFrame->Destroy();
    kv::ui::resetForTests();
    shown().reset();
    return 0;
}
