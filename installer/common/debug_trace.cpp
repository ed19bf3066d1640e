#include "installer/common/debug_trace.h"

#include "platform/desktop/atoms.h"
#include "platform/desktop/debug_output.h"
#include "platform/desktop/window_messages.h"
#include "platform/desktop/windows.h"

#include <array>
#include <iostream>
#include <mutex>
#include <streambuf>
#include <string>

namespace kv::installer {
namespace {

// The output device: a fixed buffer handed to DebugOut when full and on every sync.
class TraceBuffer : public std::streambuf {
public:
    TraceBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

protected:
    int_type overflow(int_type c) override {
        flush();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override {
        flush();
        return 0;
    }

private:
    void flush() {
        const auto used = static_cast<std::size_t>(pptr() - pbase());
        if (used > 0) DebugOut(std::string_view(pbase(), used));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    std::array<char, kDebugBufferSize> buffer_{};
};

} // namespace

unsigned DebugMsgId() {
    static std::once_flag once;
    static unsigned id = 0;
    std::call_once(once, [] { id = desktop::registerWindowMessage(".W_DebugMsg."); });
    return id;
}

void DebugToSystem(std::string_view text) {
    if (desktop::findWindow("DBWin") != 0) desktop::outputDebugString(text);
}

void DebugToViewer(std::string_view text) {
    const desktop::WindowHandle viewer = desktop::findWindow(".WDebug.");
    if (viewer == 0) return;
    const desktop::Atom atom = desktop::globalAddAtom(text);
    if (atom == 0) return;
    desktop::sendMessage(viewer, DebugMsgId(), 1, atom);
    desktop::globalDeleteAtom(atom);
}

void DebugOut(std::string_view buffer, int sinks) {
    if (buffer.empty()) return;
    // A zero-terminated copy of at most the limit, as the sinks take it.
    const std::string text(buffer.substr(0, std::min(buffer.size(), kDebugFlushLimit)));
    if (sinks == 0 || sinks == 1) DebugToSystem(text.c_str());
    if (sinks == 0 || sinks == 2) DebugToViewer(text.c_str());
}

void BindStandardOutputToTrace() {
    static TraceBuffer device;
    static bool bound = false;
    if (bound) return;
    bound = true;
    DebugMsgId();
    std::cout.flush();
    std::cout.rdbuf(&device);
    std::cout.setf(std::ios::unitbuf);
}

} // namespace kv::installer
