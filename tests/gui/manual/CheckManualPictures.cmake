# Fails when a picture of the user manual is no longer what the program draws: draws every
# picture anew into OUT with tools/ManualPictures.cmake and compares it with docs/manual/pictures.
#   cmake -DPROGRAM=plumora -DCOMPARE=compare-pictures -DSOURCE=source-tree -DOUT=folder
#         -P CheckManualPictures.cmake
# Mesa's software renderer drew every picture identically in repeated runs and in the Debug and
# the optimised builds (largest channel difference 0); the tolerance leaves room for a different
# Mesa or font rendering to move edges by a shade, not for a changed label, curve or layout.
set(tolerance 16)         # of 255, on any channel
set(max_fraction 0.0005)  # of the pixels of a picture

execute_process(
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=${PROGRAM} -DDATA=${SOURCE}/data -DOUT=${OUT}
          -P ${SOURCE}/tools/ManualPictures.cmake
  RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
  message(FATAL_ERROR "The pictures of the manual could not be drawn")
endif()

execute_process(
  COMMAND ${COMPARE} ${SOURCE}/docs/manual/pictures ${OUT} ${tolerance} ${max_fraction}
  RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "The pictures of the manual (docs/manual/pictures) are not what the "
                      "program draws now: run `make manual-pictures` and commit the pictures.")
endif()
