# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads flavour, so
# that std::thread and std::mutex work). Programs are linked statically, so a test binary
# runs under Wine, or on a Windows machine, with no runtime DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(quorvel_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${quorvel_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${quorvel_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${quorvel_mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${quorvel_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and gtest_discover_tests start the test programs through Wine.
find_program(QUORVEL_WINE NAMES wine wine64)
if(QUORVEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_WINE})
endif()
