// Writes a 300-character line and a short one to the standard output bound to the trace
// channel, as the installer programs do.

#include "installer/common/debug_trace.h"

#include <iostream>
#include <string>

int main() {
    kv::installer::BindStandardOutputToTrace();
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += static_cast<char>('a' + i % 26);
    std::cout << line << "\n";
    std::cout << "short" << std::endl;
    return std::cout.good() ? 0 : 1;
}
