# The fuzz build has no Qt and so no controls library; the format check is plain C++ and is
# compiled on its own under that name.
if(NOT TARGET controls)
  add_library(controls STATIC ${CMAKE_SOURCE_DIR}/controls/PrintFormat.cpp)
  target_include_directories(controls PUBLIC ${CMAKE_SOURCE_DIR})
endif()
