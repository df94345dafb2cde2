# What the packages hold, defined once as install rules in two components:
#   release  the shippable package: launcher, updater, qmqn, status libraries and
#            the printer maker's release files (only with QMQN_RELEASE_DATA)
#   demo     the same binaries with the simulator's monitors and its stand-in
#            release files, for simulated printers only
# Each component installs below a folder named like its zip, so that the two
# never mix in one install prefix (their data files share names).
# From them: the folders build/<dir>/package and demo-package, and the zips
# (CPack, `cpack` or target `package`), and with wixl the MSIs (target `msi`).
# Signing and the normalised zips: release_tools.cmake.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_arch win64)
else()
  set(_arch win32)
endif()
set(QMQN_RELEASE_PACKAGE QMQN_VerUpTool-${PROJECT_VERSION}-${_arch})
set(QMQN_DEMO_PACKAGE QMQN_VerUpTool-${PROJECT_VERSION}-demo-${_arch})
set(QMQN_PACKAGE_OUTPUTS ${QMQN_RELEASE_PACKAGE} ${QMQN_DEMO_PACKAGE})
include(${CMAKE_CURRENT_LIST_DIR}/release_tools.cmake)

# Each package's updater and qmqn record the release files it ships.
function(_qmqn_install_binaries component root)
  install(TARGETS qmqn_launcher RUNTIME DESTINATION ${root} COMPONENT ${component})
  install(TARGETS qmqn_updater_${component} qmqn_console_${component} QmStat QnStat
          RUNTIME DESTINATION ${root}/tool COMPONENT ${component})
endfunction()

# A folder target: the component installed afresh into <folder>.
function(_qmqn_package_folder target component root folder)
  set(stage ${CMAKE_BINARY_DIR}/CMakeFiles/${target}-stage)
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  set(config)
  if(multi_config)
    set(config --config $<CONFIG>)
  endif()
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${folder}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component ${component} --prefix ${stage} ${config}
    COMMAND ${CMAKE_COMMAND} -E rename ${stage}/${root} ${folder}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMENT "${component} package in ${folder}"
    VERBATIM)
  add_dependencies(${target} qmqn_launcher qmqn_updater_${component} qmqn_console_${component} QmStat QnStat ${ARGN})
endfunction()

set(_demo_readme ${CMAKE_BINARY_DIR}/DEMO-README.txt)
configure_file(${PROJECT_SOURCE_DIR}/printer-sim/demo/DEMO-README.txt.in ${_demo_readme}
               @ONLY NEWLINE_STYLE CRLF)
_qmqn_install_binaries(demo ${QMQN_DEMO_PACKAGE})
install(TARGETS zapqmlm zapqnlm LIBRARY DESTINATION ${QMQN_DEMO_PACKAGE}/tool COMPONENT demo)
list(TRANSFORM QMQN_RELEASE_FILES PREPEND ${QMQN_STAND_IN_DIR}/ OUTPUT_VARIABLE _stand_ins)
install(FILES ${_stand_ins}
              ${PROJECT_SOURCE_DIR}/printer-sim/demo/ZAPQMLM.ini
              ${PROJECT_SOURCE_DIR}/printer-sim/demo/ZAPQNLM.ini
        DESTINATION ${QMQN_DEMO_PACKAGE}/tool COMPONENT demo)
install(FILES ${_demo_readme} DESTINATION ${QMQN_DEMO_PACKAGE} COMPONENT demo)
qmqn_sign_installed(demo ${QMQN_DEMO_PACKAGE})
_qmqn_package_folder(demo-package demo ${QMQN_DEMO_PACKAGE} ${CMAKE_BINARY_DIR}/demo-package
                     zapqmlm zapqnlm)

set(CPACK_COMPONENTS_ALL demo)
if(QMQN_RELEASE_DATA)
  _qmqn_install_binaries(release ${QMQN_RELEASE_PACKAGE})
  install(FILES ${QMQN_RELEASE_DATA} DESTINATION ${QMQN_RELEASE_PACKAGE}/tool COMPONENT release)
  qmqn_sign_installed(release ${QMQN_RELEASE_PACKAGE})
  _qmqn_package_folder(release-package release ${QMQN_RELEASE_PACKAGE} ${CMAKE_BINARY_DIR}/package)
  list(PREPEND CPACK_COMPONENTS_ALL release)
endif()

set(CPACK_PACKAGE_NAME QMQN_VerUpTool)
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
# The destinations above already start with the package's folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_FILE_NAME ${QMQN_RELEASE_PACKAGE})
set(CPACK_ARCHIVE_RELEASE_FILE_NAME ${QMQN_RELEASE_PACKAGE})
set(CPACK_ARCHIVE_DEMO_FILE_NAME ${QMQN_DEMO_PACKAGE})
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Entry times, order and modes normalised before the checksums are written.
set(CPACK_QMQN_RELEASE_CONFIG ${QMQN_RELEASE_CONFIG})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_post.cmake)
include(CPack)

# The MSIs, beside the zips: msitools' wixl and msibuild, and faketime.
if(QMQN_WIXL AND QMQN_MSIBUILD AND QMQN_FAKETIME)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_msi_arch x64)
  else()
    set(_msi_arch x86)
  endif()
  set(_msis)
  foreach(_component IN LISTS CPACK_COMPONENTS_ALL)
    string(TOUPPER ${_component} _c)
    set(_package ${QMQN_${_c}_PACKAGE})
    list(APPEND _msis COMMAND ${CMAKE_COMMAND} -DCONFIG=${QMQN_RELEASE_CONFIG} -DCOMPONENT=${_component}
         -DPACKAGE=${_package} -DARCH=${_msi_arch} -DVERSION=${PROJECT_VERSION}
         -DOUT=${CMAKE_BINARY_DIR}/${_package}.msi -P ${CMAKE_CURRENT_LIST_DIR}/make_msi.cmake)
  endforeach()
  add_custom_target(msi ${_msis} COMMENT "MSIs: ${CPACK_COMPONENTS_ALL}" VERBATIM)
  add_dependencies(msi qmqn_launcher QmStat QnStat zapqmlm zapqnlm qmqn_updater_demo qmqn_console_demo)
  if(QMQN_RELEASE_DATA)
    add_dependencies(msi qmqn_updater_release qmqn_console_release)
  endif()
  message(STATUS "QMQN: MSIs with target msi (${QMQN_WIXL})")
else()
  message(STATUS "QMQN: no MSIs: wixl, msibuild or faketime not found (Debian: wixl, msitools, faketime)")
endif()
