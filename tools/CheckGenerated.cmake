# Runs a data generator and fails when its output differs from the committed file.
# cmake -DTOOL=... -DARGS="a;b" -DOUT=... -DEXPECTED=... -P CheckGenerated.cmake
get_filename_component(out_dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${out_dir}")
execute_process(COMMAND "${TOOL}" ${ARGS} "${OUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TOOL} ${ARGS} failed with ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}" "${EXPECTED}" RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} is not what ${TOOL} writes now; regenerate it")
endif()
