# velrast.dll: the twenty exports named by a module-definition file, so that nothing else leaves the
# DLL. On 32-bit Windows they keep the standard call convention's decoration, leading underscore
# included (_vlrInitBuffer@8): the linker would drop that underscore from any name it writes itself,
# so the file maps each export name to the compiler's symbol, and the import library comes from
# dlltool, which lets a program's reference vlrInitBuffer@8 bind to the export _vlrInitBuffer@8.
# 64-bit Windows has one calling convention and no decoration: the plain names.

# Each export with the bytes of its arguments (4 for every int, float, pointer or device context).
set(velrast_exports
  vlrSetRenderBpp 4   vlrInitBuffer 8    vlrDestroy 0      vlrRender 12     vlrGetDib 8
  vlrZBufferEnable 4  vlrZTestEnable 4   vlrGetColor 0     vlrSetColor 4    vlrSetColorf 12
  vlrClear 0          vlrBox 16          vlrBox3 20        vlrLine 16       vlrLine3 24
  vlrLine3fg 24       vlrTriangle 24     vlrTriangle3 36   vlrTriangle3fg 36 vlrTriangle3c 48)

set(dll_def "LIBRARY velrast.dll\nEXPORTS\n")
set(import_def "LIBRARY velrast.dll\nEXPORTS\n")
list(LENGTH velrast_exports count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET velrast_exports ${i} name)
  list(GET velrast_exports ${j} bytes)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(APPEND dll_def "  _${name}@${bytes} = ${name}@${bytes}\n")
    string(APPEND import_def "  ${name}@${bytes} == _${name}@${bytes}\n")
  else()
    string(APPEND dll_def "  ${name}\n")
  endif()
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/velrast.def "${dll_def}")

target_sources(velrast PRIVATE
  ${CMAKE_SOURCE_DIR}/platform/FileSystemWin.cpp
  ${CMAKE_SOURCE_DIR}/platform/SjisWin.cpp
  ${CMAKE_SOURCE_DIR}/platform/WinText.cpp
  ${CMAKE_SOURCE_DIR}/platform/GdiWin.cpp)
target_link_libraries(velrast PRIVATE gdi32 user32)
set_target_properties(velrast PROPERTIES PREFIX "" OUTPUT_NAME velrast
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)  # the import library beside the DLL
target_link_options(velrast PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/velrast.def)
set_property(TARGET velrast APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/velrast.def)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Replace the linker's import library (whose symbols would carry the export's underscore twice)
  # with dlltool's, written beside the DLL under the name CMake links programs against.
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/velrast-import.def "${import_def}")
  find_program(PARTWELL_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
  add_custom_command(TARGET velrast POST_BUILD
    COMMAND ${PARTWELL_DLLTOOL} -m i386 -d ${CMAKE_CURRENT_BINARY_DIR}/velrast-import.def
            -D velrast.dll -l $<TARGET_LINKER_FILE:velrast>
    VERBATIM)
endif()
