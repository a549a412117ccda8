# Fails when the library exports a symbol of a test fake. Run as
#   cmake -DNM=<nm> -DLIBRARY=<libvtgui.so> -P CheckNoFakes.cmake
# The listing must show the library's own classes, so a wrong file or a failing nm cannot pass.
execute_process(COMMAND ${NM} -D --defined-only -C ${LIBRARY}
                RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE errors)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY} (${rc}): ${errors}")
endif()
if(NOT listing MATCHES "vt::Bitmap::Create")
  message(FATAL_ERROR "${LIBRARY} does not export vtgui's own symbols")
endif()
string(REGEX MATCHALL "[^\n]*vt::(Fake[A-Za-z]*|FixedTextMeasurer|MessageBoxCapture|ScriptedCommonDialogs)[^\n]*" fakes "${listing}")
if(fakes)
  list(JOIN fakes "\n" shown)
  message(FATAL_ERROR "${LIBRARY} exports test fakes:\n${shown}")
endif()
