# partwell_module(TARGET KIND ...) declares every target of the project, libraries, programs and
# test programs alike, with the modules it may use; KIND is STATIC, SHARED, MODULE or EXECUTABLE.
#
#   FOLDER dir      the module's folder below the source root (default: the calling folder)
#   UNITS u...      only these units of the folder (u.cpp, with u.h when there is one)
#   EXCLUDE u...    every unit of the folder but these (u.cpp and u.h)
#   SOURCES f...    further source files, from other folders
#   USES t...       the modules it may use: linked, and their headers visible to it and its users
#   SEES t...       modules whose headers it sees, and passes on, without linking them (velrast
#                   compiles some of their sources in, and its header uses platform's types)
#   LIBS l...       system libraries and Qt
#   MOC             run moc over the target's headers
#
# Headers are included as "folder/Header.h" from the source root, but the source root itself is on
# no include path. Each target gets a folder of its own, build/include/TARGET/FOLDER/, holding for
# each of its headers a one-line header that includes the real one by a relative path. That folder
# is the target's include path, public for libraries, so a target sees its own headers and those of
# the modules it names (and, through them, what they name), and a forbidden include is simply not
# found. Forwarding headers rather than links: no symlink privilege needed on Windows, and an edited
# header is seen at once.
function(partwell_module target kind)
  cmake_parse_arguments(PARSE_ARGV 2 arg "MOC" "FOLDER" "UNITS;EXCLUDE;SOURCES;USES;SEES;LIBS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "partwell_module(${target}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_FOLDER)
    file(RELATIVE_PATH arg_FOLDER ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(dir ${CMAKE_SOURCE_DIR}/${arg_FOLDER})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(arg_UNITS)
    set(sources)
    set(kept)
    foreach(unit ${arg_UNITS})
      list(APPEND sources ${dir}/${unit}.cpp)
      if(${dir}/${unit}.h IN_LIST headers)
        list(APPEND kept ${dir}/${unit}.h)
      endif()
    endforeach()
    set(headers ${kept})
  endif()
  foreach(unit ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${dir}/${unit}.cpp)
    list(REMOVE_ITEM headers ${dir}/${unit}.h)
  endforeach()
  list(APPEND sources ${arg_SOURCES})

  if(kind STREQUAL "EXECUTABLE")
    add_executable(${target} ${sources})
    set(scope PRIVATE)
  elseif(kind MATCHES "^(STATIC|SHARED|MODULE)$")
    add_library(${target} ${kind} ${sources})
    set(scope PUBLIC)
    if(kind STREQUAL "MODULE")
      set(scope PRIVATE)
    endif()
  else()
    message(FATAL_ERROR "partwell_module(${target}): KIND must be STATIC, SHARED, MODULE or EXECUTABLE")
  endif()

  set(include ${CMAKE_BINARY_DIR}/include/${target})
  partwell_forward_headers(${include} ${arg_FOLDER} ${headers})
  target_include_directories(${target} ${scope} ${include})
  foreach(seen ${arg_SEES})
    target_include_directories(${target} ${scope} $<TARGET_PROPERTY:${seen},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  target_link_libraries(${target} ${scope} ${arg_USES} ${arg_LIBS})
  if(arg_MOC)
    target_sources(${target} PRIVATE ${headers})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# Writes include/FOLDER/NAME.h below INCLUDE for each header, and removes what an earlier configure
# left there for headers that have gone. Unchanged files are not rewritten, so nothing rebuilds.
function(partwell_forward_headers include folder)
  file(GLOB_RECURSE stale ${include}/*)
  foreach(header ${ARGN})
    get_filename_component(name ${header} NAME)
    set(forward ${include}/${folder}/${name})
    file(RELATIVE_PATH real ${include}/${folder} ${header})
    file(CONFIGURE OUTPUT ${forward} CONTENT "#include \"${real}\"\n")
    list(REMOVE_ITEM stale ${forward})
  endforeach()
  if(stale)
    file(REMOVE ${stale})
  endif()
endfunction()
