# add_skin_archive(NAME OUTPUT <zip> LAYOUTS <dir> [GENERATOR <script.py>] [DEPENDS files...])
# Runs GENERATOR (if given) as `python GENERATOR <image dir>` to draw the images, then packs the
# layout folder and the drawn images into OUTPUT. Creates the target NAME that makes the archive.
function(add_skin_archive name)
  cmake_parse_arguments(A "" "OUTPUT;LAYOUTS;GENERATOR" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE layout_files CONFIGURE_DEPENDS ${A_LAYOUTS}/*)
  set(image_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_images)
  set(pack ${PROJECT_SOURCE_DIR}/tools/skingen/pack.py)
  if(A_GENERATOR)
    set(stamp ${image_dir}.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${image_dir}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${image_dir}
      COMMAND ${PYTHON} ${A_GENERATOR} ${image_dir}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${A_GENERATOR} ${A_DEPENDS}
      COMMENT "Drawing the images of ${name}" VERBATIM)
    set(dirs ${image_dir} ${A_LAYOUTS})
  else()
    set(stamp)
    set(dirs ${A_LAYOUTS})
  endif()
  add_custom_command(OUTPUT ${A_OUTPUT}
    COMMAND ${PYTHON} ${pack} ${A_OUTPUT} ${dirs}
    DEPENDS ${pack} ${stamp} ${layout_files}
    COMMENT "Packing ${name}" VERBATIM)
  add_custom_target(${name} DEPENDS ${A_OUTPUT})
endfunction()
