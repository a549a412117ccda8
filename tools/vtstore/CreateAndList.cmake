# Runs `vtstore create` twice and `vtstore list` on a fresh VANTREL_ROOT and checks what they
# print and leave on disk, and that a list that cannot be written fails.
file(REMOVE_RECURSE ${WORK})
set(ENV{VANTREL_ROOT} ${WORK})
set(DATA ${WORK}/Morvane/Vantrel/DATA)

function(run expected_rc)
  execute_process(COMMAND ${VTSTORE} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "vtstore ${ARGN}: exit ${rc}, expected ${expected_rc}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(0 create "Plant 1")
string(STRIP "${out}" first)
if(NOT first MATCHES "^${DATA}/[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+$")
  message(FATAL_ERROR "create printed '${first}'")
endif()
if(NOT EXISTS ${first}/fileidx.db OR NOT IS_DIRECTORY ${first}/FILES)
  message(FATAL_ERROR "no storage in ${first}")
endif()
file(READ ${first}/fileidx.db head LIMIT 16 HEX)
if(NOT head STREQUAL "5f4d52564e5f444154415f46494c4500")  # "_MRVN_DATA_FILE\0"
  message(FATAL_ERROR "the index does not carry the data-file header: '${head}'")
endif()

run(0 create Lab)
string(STRIP "${out}" second)
run(1 create Lab)

run(0 list)
get_filename_component(dir1 ${first} NAME)
get_filename_component(dir2 ${second} NAME)
set(expected "Plant 1\t${dir1}\tOK\t\nLab\t${dir2}\tOK\tcurrent\n")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "list printed:\n${out}\nexpected:\n${expected}")
endif()

# Output that cannot be written makes the command fail.
if(EXISTS /dev/full)
  execute_process(COMMAND ${VTSTORE} list RESULT_VARIABLE rc OUTPUT_FILE /dev/full ERROR_VARIABLE err)
  if(rc EQUAL 0)
    message(FATAL_ERROR "vtstore list to a full device exited 0")
  endif()
endif()
file(REMOVE_RECURSE ${WORK})
