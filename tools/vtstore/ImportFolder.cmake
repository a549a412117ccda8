# Runs `vtstore import-folder` on a fresh VANTREL_ROOT: an automatic run over a folder with a
# sub-folder imports the top files only, a second run with --subfolders only the new one, a run
# with nothing new prints just its start and finish, and bad arguments are refused.
file(REMOVE_RECURSE ${WORK})
set(ENV{VANTREL_ROOT} ${WORK})
file(MAKE_DIRECTORY ${WORK}/src/sub)

function(run expected_rc)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${ARGN}: exit ${rc}, expected ${expected_rc}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# The lines without their date and time.
function(strip_times)
  string(REGEX REPLACE "[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]  " "" stripped "${out}")
  set(out "${stripped}" PARENT_SCOPE)
endfunction()

run(0 ${VTRECGEN} newer --records 20 --count 2 --start 1700000000 --serial CLI1 ${WORK}/src)
run(0 ${VTRECGEN} newer --records 20 --count 1 --start 1700100000 --serial CLI2 ${WORK}/src/sub)
# Written long ago: an automatic run leaves files alone that changed in the last two seconds.
file(GLOB_RECURSE generated ${WORK}/src/*.DAE)
run(0 touch -m -d @1700200000 ${generated})
run(0 ${VTSTORE} create Plant)

run(0 ${VTSTORE} import-folder Plant ${WORK}/src)
strip_times()
set(expected "I[10314] : START AUTOMATIC IMPORT\n"
             "I[10301] : IMPORT: FILE=${WORK}/src/000001.DAE\n"
             "I[10301] : IMPORT: FILE=${WORK}/src/000002.DAE\n"
             "I[10316] : FINISH IMPORT\n")
string(JOIN "" expected ${expected})
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "first run printed:\n${out}\nexpected:\n${expected}")
endif()

run(0 ${VTSTORE} import-folder Plant ${WORK}/src --subfolders --mode auto)
strip_times()
if(NOT out STREQUAL "I[10314] : START AUTOMATIC IMPORT\nI[10301] : IMPORT: FILE=${WORK}/src/sub/000001.DAE\nI[10316] : FINISH IMPORT\n")
  message(FATAL_ERROR "second run printed:\n${out}")
endif()

run(0 ${VTSTORE} import-folder Plant ${WORK}/src --subfolders)
strip_times()
if(NOT out STREQUAL "I[10314] : START AUTOMATIC IMPORT\nI[10316] : FINISH IMPORT\n")
  message(FATAL_ERROR "third run printed:\n${out}")
endif()

# A file-open run shows stored files without booking or logging them.
run(0 ${VTSTORE} import-folder Plant ${WORK}/src --mode open)
strip_times()
if(NOT out STREQUAL "I[10315] : START FILE OPEN IMPORT\nI[10316] : FINISH IMPORT\n")
  message(FATAL_ERROR "file-open run printed:\n${out}")
endif()

run(2 ${VTSTORE} import-folder Plant ${WORK}/src --mode sometimes)
run(2 ${VTSTORE} import-folder Plant)
run(1 ${VTSTORE} import-folder Nowhere ${WORK}/src)
