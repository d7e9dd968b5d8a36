# Runs the rules driver on SCRIPT into ACTUAL and fails, showing the difference, unless
# ACTUAL matches EXPECTED byte for byte.
execute_process(COMMAND ${DRIVER} INPUT_FILE ${SCRIPT} OUTPUT_FILE ${ACTUAL}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "klotz-rules ended with ${status} on ${SCRIPT}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
                RESULT_VARIABLE differs)
if(differs)
  # The difference goes straight to the output, unwrapped.
  execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  message(FATAL_ERROR "${ACTUAL} differs from the kept record (above). After a deliberate "
                      "change of the rules, renew it with scripts/renew-golden.sh --write")
endif()
