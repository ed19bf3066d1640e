// The demo program as a process: run it with KV_UI_SCRIPT naming a script.
#include "platform/ui/script/tests/demo_program.h"
#include "platform/ui/script/ui_script.h"

#include <cstdio>

int main() {
    kv::ui::demo::Outcome outcome;
    return kv::ui::script::runScripted([&] {
        int code = kv::ui::demo::run(outcome);
        std::printf("user %s, %zu rows left\n", outcome.user.c_str(), outcome.remaining.size());
        return code;
    });
}
