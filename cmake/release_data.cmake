# The printer maker's release files for the shippable package. Sets
# QMQN_RELEASE_DATA (their validated copies in the build tree) when
# QMQN_RELEASE_DATA_DIR names a usable folder; stops the configure when it
# names one that a technician must not ship.
set(QMQN_RELEASE_FILES QM_M0500S0500.S QN_M0200S0200.S QM0210.QMD)
set(QMQN_STAND_IN_DIR ${PROJECT_SOURCE_DIR}/printer-sim/sample-data)
set(QMQN_RELEASE_DATA_DIR "" CACHE PATH
  "Folder with the printer maker's release files QM_M0500S0500.S, QN_M0200S0200.S and QM0210.QMD; the shippable package is made only when set")

set(QMQN_RELEASE_DATA)
set(_copies ${CMAKE_BINARY_DIR}/release-data)
# bin/ is no package: no release file, real or stand-in, beside the built updater.
list(TRANSFORM QMQN_RELEASE_FILES PREPEND ${CMAKE_BINARY_DIR}/bin/ OUTPUT_VARIABLE _in_bin)
file(REMOVE ${_in_bin})

if(QMQN_RELEASE_DATA_DIR STREQUAL "")
  # A package folder left by an earlier configure must not pass for shippable.
  file(REMOVE_RECURSE ${CMAKE_BINARY_DIR}/package ${_copies})
  message(STATUS "Shippable package: not made (QMQN_RELEASE_DATA_DIR is not set); only the demo "
    "package, for simulated printers.\n   To make it, configure with -DQMQN_RELEASE_DATA_DIR=<folder>, "
    "the folder holding the printer maker's release files QM_M0500S0500.S, QN_M0200S0200.S and QM0210.QMD.")
  return()
endif()

file(TO_CMAKE_PATH "${QMQN_RELEASE_DATA_DIR}" _dir)
if(NOT IS_DIRECTORY "${_dir}")
  message(FATAL_ERROR "QMQN_RELEASE_DATA_DIR: ${_dir} is not a folder.")
endif()

set(_stand_in_hashes)
foreach(_name IN LISTS QMQN_RELEASE_FILES)
  file(SHA256 ${QMQN_STAND_IN_DIR}/${_name} _hash)
  list(APPEND _stand_in_hashes ${_hash})
endforeach()

set(_problems)
foreach(_name IN LISTS QMQN_RELEASE_FILES)
  set(_file ${_dir}/${_name})
  if(NOT EXISTS "${_file}" OR IS_DIRECTORY "${_file}")
    list(APPEND _problems "${_name} is missing")
    continue()
  endif()
  file(SIZE "${_file}" _size)
  file(SHA256 "${_file}" _hash)
  if(_size EQUAL 0)
    list(APPEND _problems "${_name} is empty")
  elseif(_name MATCHES "\\.S$" AND _size GREATER 10000001)
    list(APPEND _problems "${_name} is ${_size} bytes; the updater takes firmware files of at most 10,000,001 bytes")
  elseif(_name MATCHES "\\.QMD$" AND (_size LESS 24629 OR _size GREATER 60000))
    list(APPEND _problems "${_name} is ${_size} bytes; a colour control data file has 24,629 to 60,000 bytes")
  elseif(_hash IN_LIST _stand_in_hashes)
    list(APPEND _problems "${_name} is a stand-in of the printer simulator (printer-sim/sample-data), not the printer maker's file")
  endif()
endforeach()
if(_problems)
  list(JOIN _problems "\n  " _problems)
  message(FATAL_ERROR "QMQN_RELEASE_DATA_DIR: no shippable package from ${_dir}:\n  ${_problems}\n"
    "It needs the printer maker's QM_M0500S0500.S, QN_M0200S0200.S and QM0210.QMD.")
endif()

# The copies are what ships, and their inputs make CMake check the files
# again whenever they change.
foreach(_name IN LISTS QMQN_RELEASE_FILES)
  configure_file(${_dir}/${_name} ${_copies}/${_name} COPYONLY)
  list(APPEND QMQN_RELEASE_DATA ${_copies}/${_name})
endforeach()
message(STATUS "Shippable package: release files from ${_dir}")
