// A shared object for the library tests: one exported C function.

extern "C" __attribute__((visibility("default"))) int kvTwice(int x) {
    return 2 * x;
}
