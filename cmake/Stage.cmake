# The program folder is laid out under ${MV_STAGE_DIR} by the build and under
# the install prefix by `cmake --install`:
#   bin/Merovant  bin/lib*.so  Plugin/FormatList/*.bin  Themes/default.zip  option.cfg
set(MV_STAGE_DIR ${CMAKE_BINARY_DIR}/stage CACHE PATH "Staged program folder")
set(MV_STAGE_BIN ${MV_STAGE_DIR}/bin)

# A shared library or the program: built into stage/bin, finding its
# neighbours through $ORIGIN both staged and installed (no absolute build
# path, so a copy of the stage uses its own libraries).
function(mv_stage_binary target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${MV_STAGE_BIN}
    LIBRARY_OUTPUT_DIRECTORY ${MV_STAGE_BIN}
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN"
    BUILD_WITH_INSTALL_RPATH ON)
  install(TARGETS ${target} RUNTIME DESTINATION bin LIBRARY DESTINATION bin)
endfunction()

# A data file produced by the build, copied to <stage>/<dest> and installed there.
function(mv_stage_file target source dest)
  get_filename_component(dir ${dest} DIRECTORY)
  get_filename_component(name ${dest} NAME)
  if(NOT dir)
    set(dir .)
  endif()
  add_custom_command(OUTPUT ${MV_STAGE_DIR}/${dest}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MV_STAGE_DIR}/${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${MV_STAGE_DIR}/${dest}
    DEPENDS ${source} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${MV_STAGE_DIR}/${dest})
  install(FILES ${source} DESTINATION ${dir} RENAME ${name})
endfunction()
