# Runs the native and the Windows profile probe, each in a fresh folder of its own, and
# fails with a unified diff when their outputs differ.
foreach(var NATIVE_PROBE WINDOWS_PROBE EMULATOR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run_probe side)
  set(folder ${WORK_DIR}/${side})
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${folder}
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "The ${side} probe failed (${result}):\n${output}\n${errors}")
  endif()
  # The Windows side's C runtime may end lines with CR LF; the content is escaped.
  string(REPLACE "\r\n" "\n" output "${output}")
  file(WRITE ${WORK_DIR}/${side}.txt "${output}")
endfunction()

# Wine run by root writes to a read-only file, as root may; Windows and Wine run by a
# user refuse. Run by root, the read-only fixture is left out here (the unit tests check
# it natively either way).
execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
set(options "")
if(user STREQUAL "0")
  set(options --without-read-only)
  message(STATUS "Run by root: the read-only fixture is not compared with Wine")
endif()

run_probe(native ${NATIVE_PROBE} ${options})
run_probe(windows ${EMULATOR} ${WINDOWS_PROBE} ${options})

file(READ ${WORK_DIR}/native.txt native)
file(READ ${WORK_DIR}/windows.txt windows)
if(NOT native STREQUAL windows)
  execute_process(COMMAND diff -u ${WORK_DIR}/windows.txt ${WORK_DIR}/native.txt
                  OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "Our profile functions differ from Windows' (- Windows, + ours):\n"
                      "${difference}")
endif()
string(REGEX MATCHALL "\n== " cases "${native}")
list(LENGTH cases count)
message(STATUS "Both sides agree on ${count} fixtures")
