# Settings of every Windows build (MinGW-w64 cross or native). The program and velrast.dll carry
# their own copies of libgcc, libstdc++ and winpthread, so that they need no DLL but velrast.dll and
# the system's. The Win32 calls are named with their W or A suffix, so no UNICODE switch is needed.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
if(MINGW)
  add_link_options(-static)
endif()
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # The x87 unit keeps floats at 80 bits between steps, which moves triangle edges and rounding ties
  # by a pixel; SSE arithmetic rounds every step to float as the 64-bit and Linux builds do, so the
  # same shape gives the same pixels.
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(CMAKE_CROSSCOMPILING)
  # Test programs (and GoogleTest's discovery of their cases) run under Wine.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
endif()
