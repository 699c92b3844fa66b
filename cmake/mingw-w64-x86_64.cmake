# Cross-build for 64-bit Windows with Debian's MinGW-w64, the POSIX-threads flavour (its
# libstdc++ has std::thread and std::mutex). Used by scripts/windows-cli.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LAPWING_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LAPWING_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LAPWING_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LAPWING_MINGW_TRIPLET}-windres)

# Libraries and headers come from the Windows tree only; programs run here.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LAPWING_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs no MinGW runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests run through Wine when it is there. They are listed when ctest runs, not when they are
# built, so that a build without Wine builds them too.
find_program(LAPWING_WINE NAMES wine64 wine)
if(LAPWING_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${LAPWING_WINE})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
