#include "platform/fs/errors.h"

namespace kv::fs {

namespace {
thread_local int tLastError = 0;
}

int lastError() {
    return tLastError;
}
void setLastError(int code) {
    tLastError = code;
}

} // namespace kv::fs
