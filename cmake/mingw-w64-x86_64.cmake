# Cross compiling the Windows program on Linux with mingw-w64 (posix threads flavour,
# which GoogleTest needs for std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZUBI_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZUBI_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZUBI_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZUBI_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZUBI_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
