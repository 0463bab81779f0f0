# Draws every picture of the user manual (docs/manual) with the desktop program's --snapshot, on
# Qt's offscreen platform, from the bundled examples. The list below is the only place the
# pictures are named: `make manual-pictures` writes them into docs/manual/pictures, and the
# manual_pictures test draws them into a folder of its own and compares.
#   cmake -DPROGRAM=plumora -DDATA=data-folder -DOUT=folder -P ManualPictures.cmake
# Each entry: the file name, then the arguments of plumora --snapshot after the file.
set(pictures
  "table.png --size 800x500 --mode table examples/earth-return.psd"
  "chart.png --size 800x500 --mode chart --x 0 --y 1 examples/earth-return.psd"
  "chart-options.png --mode chart --command 32775 examples/earth-return.psd"
  "ground-track.png --size 640x320 --mode track --time 700 examples/earth-return.psd"
  "payload3d.png --size 400x300 --mode payload3d --time 300 examples/earth-return.psd"
  "parachute3d.png --size 400x300 --mode parachute3d --time 700 examples/earth-return.psd"
  "system3d.png --size 400x300 --mode system3d --time 700 examples/earth-return.psd"
  "trajectory3d.png --size 400x300 --mode trajectory3d --time 700 examples/earth-return.psd"
  "landing-scatter.png --size 640x480 --mode scatter examples/mars-entry.psd"
  "study-histogram.png --size 640x400 --mode histogram --histogram-output landing_speed examples/mars-entry.psd"
  "payload-manager.png --command 32779 examples/earth-return.psd"
  "mission-editor.png --command 1062 examples/earth-return.psd"
  "edit-phase.png --command 1063 examples/earth-return.psd"
  "initial-state.png --command 32781 examples/earth-return.psd"
  "solver.png --command 32782 examples/earth-return.psd"
  "environment.png --command 32783 examples/earth-return.psd"
  "import-data.png --command 32830 examples/earth-return.psd"
  "atmosphere-viewer.png --command 32805 examples/mars-entry.psd"
  "aero-viewer.png --command 32828 examples/earth-return.psd"
)

foreach(required PROGRAM DATA OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "ManualPictures.cmake needs -D${required}=...")
  endif()
endforeach()

foreach(folder PROGRAM DATA OUT)
  get_filename_component(${folder} "${${folder}}" ABSOLUTE)
endforeach()
file(MAKE_DIRECTORY "${OUT}")
# A picture dropped from the list leaves the folder too.
file(GLOB stale "${OUT}/*.png")
if(stale)
  file(REMOVE ${stale})
endif()

foreach(entry IN LISTS pictures)
  separate_arguments(arguments UNIX_COMMAND "${entry}")
  list(POP_FRONT arguments name)
  # The same platform whatever display the caller has, so that the pictures do not depend on it.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            QT_QPA_PLATFORM=offscreen "${PROGRAM}" --snapshot "${OUT}/${name}" ${arguments}
    WORKING_DIRECTORY "${DATA}"
    RESULT_VARIABLE result
    ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    list(JOIN arguments " " shown)
    message(FATAL_ERROR "plumora --snapshot ${OUT}/${name} ${shown} failed (${result}):\n${errors}")
  endif()
endforeach()
list(LENGTH pictures count)
message(STATUS "${count} pictures of the manual drawn into ${OUT}")
