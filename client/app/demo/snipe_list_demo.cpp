// kestrovane-demo: kestrovane for the demo and the program tests. After a run under a UI
// script it prints the rows of the main window's snipe list as the run left them, one line
// each with the cells separated by " | ".

#include "client/app/frm_main.h"
#include "client/app/program/program.h"
#include "platform/text/ansi.h"
#include "platform/ui/script/ui_script.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void printSnipeList(const kv::app::frmMain& main) {
    const kv::ui::ListView& list = main.lvListView;
    std::printf("--- snipe list: %d rows ---\n", list.itemCount());
    // The visible columns only (the sort-key columns have no width).
    std::vector<int> shown;
    for (int cell = 0; cell < list.columnCount(); ++cell)
        if (list.column(cell).width > 0) shown.push_back(cell);
    auto print = [&](auto text) {
        std::string line;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (i) line += " | ";
            line += kv::text::toUtf8(text(shown[i]));
        }
        std::printf("%s\n", line.c_str());
    };
    print([&](int cell) { return list.column(cell).text; });
    for (int row = 0; row < list.itemCount(); ++row)
        print([&](int cell) { return list.text(row, cell); });
}

} // namespace

int main(int argc, char** argv) {
    const int code = kv::app::kestrovaneMain(argc, argv);
    if (kv::ui::script::active())
        if (const kv::app::frmMain* main = kv::app::startedMainWindow()) printSnipeList(*main);
    return code;
}
