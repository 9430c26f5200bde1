# The cross-build with Debian's MinGW-w64 for the triplet PARTWELL_MINGW_TRIPLET, in its posix thread
# model: that libstdc++ has std::mutex (used by the memory stand-ins' registers), which the win32
# model of g++ 12 lacks. Included by the two toolchain files.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PARTWELL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PARTWELL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PARTWELL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PARTWELL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(PARTWELL_OBJDUMP ${PARTWELL_MINGW_TRIPLET}-objdump)
