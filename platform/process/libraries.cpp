#include "platform/process/libraries.h"

#include "platform/fs/errors.h"
#include "platform/fs/path.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <atomic>
#include <fstream>

namespace kv::process {
namespace {

thread_local std::string t_errorText;
std::atomic<unsigned> g_errorMode{0};

LibraryHandle failLoad(int code, std::string reason) {
    fs::setLastError(code);
    t_errorText = std::move(reason);
    return nullptr;
}

#if defined(__x86_64__)
constexpr unsigned kHostMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr unsigned kHostMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr unsigned kHostMachine = EM_386;
#else
constexpr unsigned kHostMachine = EM_NONE; // not checked
#endif

// Why a file is no shared object for this host, or "" when it may be one. Checked before
// the loader sees the file, so other files never reach it.
std::string notASharedObject(const std::filesystem::path& host) {
    std::ifstream in(host, std::ios::binary);
    if (!in) return "cannot read the file";
    ElfW(Ehdr) header{};
    in.read(reinterpret_cast<char*>(&header), sizeof header);
    if (in.gcount() != std::streamsize(sizeof header) ||
        std::string_view(reinterpret_cast<const char*>(header.e_ident), 4) != ELFMAG)
        return "not an ELF shared object";
    const int hostClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
    if (header.e_ident[EI_CLASS] != hostClass ||
        (kHostMachine != EM_NONE && header.e_machine != kHostMachine))
        return "a shared object for another machine";
    if (header.e_type != ET_DYN) return "not a shared object";
    return {};
}

} // namespace

LibraryHandle LoadLibrary(std::string_view path) {
    const std::filesystem::path host = fs::hostPath(path);
    std::error_code ec;
    if (host.empty() || !std::filesystem::is_regular_file(host, ec))
        return failLoad(kErrorModuleNotFound, "no such file");
    if (std::string reason = notASharedObject(host); !reason.empty())
        return failLoad(kErrorBadExeFormat, std::move(reason));
    const std::filesystem::path absolute = std::filesystem::absolute(host, ec);
    void* handle = ::dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        return failLoad(kErrorBadExeFormat, why ? why : "the loader refused the file");
    }
    fs::setLastError(fs::kErrorSuccess);
    t_errorText.clear();
    return handle;
}

LibraryHandle LoadLibraryEx(std::string_view path, unsigned) {
    return LoadLibrary(path);
}

void* GetProcAddress(LibraryHandle library, std::string_view name) {
    if (!library) {
        fs::setLastError(fs::kErrorInvalidHandle);
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(library, std::string(name).c_str());
    if (!address) {
        const char* why = ::dlerror();
        fs::setLastError(kErrorProcNotFound);
        t_errorText = why ? why : "no such function";
        return nullptr;
    }
    fs::setLastError(fs::kErrorSuccess);
    return address;
}

bool FreeLibrary(LibraryHandle library) {
    if (!library || ::dlclose(library) != 0) {
        fs::setLastError(fs::kErrorInvalidHandle);
        return false;
    }
    fs::setLastError(fs::kErrorSuccess);
    return true;
}

const std::string& libraryErrorText() {
    return t_errorText;
}

long OleInitialize(void*) {
    return 0;
}

void OleUninitialize() {}

unsigned SetErrorMode(unsigned mode) {
    return g_errorMode.exchange(mode);
}

} // namespace kv::process
