# cmake -DBINARY=FILE -DWIDGETS=absent|present -P no_widgets.cmake
# Lists the shared libraries FILE loads (ldd) and fails when Qt Widgets is among them against
# WIDGETS; "present" is the control that shows the check sees a Widgets program as one.
if(NOT EXISTS "${BINARY}")
    message(FATAL_ERROR "No such program: ${BINARY}")
endif()
find_program(LDD ldd REQUIRED)
execute_process(COMMAND ${LDD} "${BINARY}" RESULT_VARIABLE status OUTPUT_VARIABLE loaded
                ERROR_VARIABLE problem)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ldd ${BINARY} failed (${status}): ${problem}")
endif()
# Every program here loads Qt Core: an answer without it is no answer to trust.
if(NOT loaded MATCHES "libQt6Core")
    message(FATAL_ERROR "ldd lists no Qt Core for ${BINARY}:\n${loaded}")
endif()
if(loaded MATCHES "libQt6Widgets")
    set(has TRUE)
else()
    set(has FALSE)
endif()
if(WIDGETS STREQUAL "absent" AND has)
    message(FATAL_ERROR "${BINARY} loads Qt Widgets:\n${loaded}")
elseif(WIDGETS STREQUAL "present" AND NOT has)
    message(FATAL_ERROR "${BINARY} should load Qt Widgets, but ldd lists none:\n${loaded}")
elseif(NOT WIDGETS MATCHES "^(absent|present)$")
    message(FATAL_ERROR "WIDGETS must be absent or present, not '${WIDGETS}'")
endif()
