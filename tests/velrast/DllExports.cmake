# Reads the export table of velrast.dll and the import table of partwell-cli.exe with objdump -p.
# 32-bit: the standard call convention's names, _name@bytes; 64-bit: the plain names.
if(BITS EQUAL 4)
  set(expected
    _vlrBox3@20 _vlrBox@16 _vlrClear@0 _vlrDestroy@0 _vlrGetColor@0 _vlrGetDib@8 _vlrInitBuffer@8
    _vlrLine3@24 _vlrLine3fg@24 _vlrLine@16 _vlrRender@12 _vlrSetColor@4 _vlrSetColorf@12
    _vlrSetRenderBpp@4 _vlrTriangle3@36 _vlrTriangle3c@48 _vlrTriangle3fg@36 _vlrTriangle@24
    _vlrZBufferEnable@4 _vlrZTestEnable@4)
else()
  set(expected
    vlrBox vlrBox3 vlrClear vlrDestroy vlrGetColor vlrGetDib vlrInitBuffer vlrLine vlrLine3 vlrLine3fg
    vlrRender vlrSetColor vlrSetColorf vlrSetRenderBpp vlrTriangle vlrTriangle3 vlrTriangle3c
    vlrTriangle3fg vlrZBufferEnable vlrZTestEnable)
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
# The name table: lines "\t[   n] name" after "[Ordinal/Name Pointer] Table".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start LESS 0)
  message(FATAL_ERROR "no export name table in ${DLL}")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(names)
foreach(row ${rows})
  string(REGEX REPLACE "\n\t\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "velrast.dll exports\n  ${names}\nexpected\n  ${expected}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
string(TOLOWER "${dlls}" dlls)
string(REPLACE "dll name: " "" dlls "${dlls}")
list(SORT dlls)
set(allowed gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll velrast.dll)
if(NOT dlls STREQUAL allowed)
  message(FATAL_ERROR "partwell-cli.exe imports\n  ${dlls}\nexpected\n  ${allowed}")
endif()
message(STATUS "velrast.dll: ${names}; partwell-cli.exe: ${dlls}")
