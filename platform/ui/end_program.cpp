#include "platform/ui/end_program.h"

#include "platform/ui/application.h"
#include "platform/ui/internal/current.h"

#include <cstdio>
#include <exception>

namespace kv::ui {

int runProgram(const std::function<int()>& body) {
    try {
        return body();
    } catch (const EndProgram& e) {
        if (Application* a = internal::currentApplication()) a->markEnded({});
        return e.exitCode();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "error: unknown failure\n");
    }
    return 1;
}

} // namespace kv::ui
