# Starts the program offscreen and lets it run for a moment: it must still be
# running when the time is up (a crash or an early exit fails the test).
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PROGRAM} TIMEOUT 3 RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result MATCHES "timeout")
  message(FATAL_ERROR "ctiq ended before its time (result: ${result})\n${out}\n${err}")
endif()
