# Settings of every Windows build (MinGW-w64 cross or native). The program and velrast.dll carry
# their own copies of libgcc, libstdc++ and winpthread, so that they need no DLL but velrast.dll and
# the system's. The Win32 calls are named with their W or A suffix, so no UNICODE switch is needed.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
if(MINGW)
  add_link_options(-static)
endif()
