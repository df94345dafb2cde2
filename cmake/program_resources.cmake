# The manifest and icon that the updater and the launcher share: their
# resource scripts embed them from resources/ (RT_MANIFEST 1, first icon).
function(qmqn_program_resources target rc_file)
  set(_res ${PROJECT_SOURCE_DIR}/resources)
  target_include_directories(${target} PRIVATE ${_res})
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS
    "${_res}/QMQN_VerUpTool.manifest;${_res}/QMQN_VerUpTool.ico;${_res}/program_resources.h")
  if(MSVC)
    # The resource script holds the manifest; the linker must not add its own.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
