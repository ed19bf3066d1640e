# cpp-httplib as Debian builds it (a shared library whose header needs its compile flags).
# Included by every folder that uses it; the target is created once, globally.
if(NOT TARGET PkgConfig::HTTPLIB)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
endif()
