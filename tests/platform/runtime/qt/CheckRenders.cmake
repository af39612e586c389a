# Runs the render tool into FOLDER and checks its PNG files: the two window
# layouts at their client size (96 dpi), the message boxes present.
#   cmake -DTOOL=<kalmora-render> -DFOLDER=<dir> -P CheckRenders.cmake
file(REMOVE_RECURSE "${FOLDER}")
execute_process(COMMAND "${TOOL}" "${FOLDER}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kalmora-render failed: ${result}")
endif()

# The pixel size from the PNG header: the signature, then the IHDR chunk
# whose first two fields are the width and height (4 bytes each, big-endian).
function(check_png name width height)
  set(path "${FOLDER}/${name}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${name} was not written")
  endif()
  file(READ "${path}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${name} is not a PNG file")
  endif()
  string(SUBSTRING "${header}" 32 8 w)
  string(SUBSTRING "${header}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  if(width AND NOT (w EQUAL width AND h EQUAL height))
    message(FATAL_ERROR "${name} is ${w} x ${h}, expected ${width} x ${height}")
  endif()
  if(w LESS 100 OR h LESS 50)
    message(FATAL_ERROR "${name} is only ${w} x ${h}")
  endif()
  message(STATUS "${name}: ${w} x ${h}")
endfunction()

check_png(choice.png 374 274)
check_png(question.png 402 213)
foreach(style 0 16 33 48)
  check_png(msgbox-${style}.png "" "")
endforeach()
