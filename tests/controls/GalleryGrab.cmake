# Runs partwell-gallery --grab OUT and checks that every class of the family left a PNG there.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${GALLERY} --grab ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "partwell-gallery --grab exited with ${rc}")
endif()
# file(READ) stops the script with an error when the PNG is missing.
foreach(class TPaintPanel TTextPanel TMaxColorCircle TMaxColorBar TMaxColorPanel TMaxEdit TMaxNumberEdit)
  file(READ ${OUT}/${class}.png magic LIMIT 8 HEX)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${class}.png is no PNG")
  endif()
endforeach()
