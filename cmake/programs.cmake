# The updater and qmqn, built once per release record they carry (the SHA-256
# of the release files they may send, see updater/release_record.h):
#   <target>          no record: bin/, for development and the tests
#   <target>_demo     the demo package's stand-in files: bin/demo/
#   <target>_release  the printer maker's files, with QMQN_RELEASE_DATA: bin/release/
# Everything but the record comes from one object library, compiled once.

# The record of the files in <dir> as a source file; <var> gets its path.
function(_qmqn_release_record var flavour dir)
  set(rows)
  foreach(name IN LISTS QMQN_RELEASE_FILES)
    file(SHA256 ${dir}/${name} hash)
    string(APPEND rows "    {\"${name}\", \"${hash}\"},\n")
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${dir}/${name})
  endforeach()
  set(path ${CMAKE_BINARY_DIR}/release-record/${flavour}.cpp)
  file(CONFIGURE OUTPUT ${path} CONTENT "// Made by the build: the release files of the ${flavour} package.
#include \"updater/release_record.h\"

namespace updater {
namespace {
constexpr RecordedFile kFiles[] = {
${rows}};
}  // namespace

const ReleaseRecord& builtInRelease() {
  static constexpr ReleaseRecord kRecord{kFiles};
  return kRecord;
}

}  // namespace updater
" @ONLY)
  set(${var} ${path} PARENT_SCOPE)
endfunction()

# qmqn_program(<target> <output name> <objects> <rc> [WIN32])
function(qmqn_program target output objects rc)
  set(records "none;${PROJECT_SOURCE_DIR}/updater/core/src/no_release_record.cpp")
  _qmqn_release_record(demo_record demo ${QMQN_STAND_IN_DIR})
  list(APPEND records demo ${demo_record})
  if(QMQN_RELEASE_DATA)
    _qmqn_release_record(release_record release ${CMAKE_BINARY_DIR}/release-data)
    list(APPEND records release ${release_record})
  endif()
  while(records)
    list(POP_FRONT records flavour record)
    if(flavour STREQUAL "none")
      set(name ${target})
      set(dir ${CMAKE_BINARY_DIR}/bin)
    else()
      set(name ${target}_${flavour})
      set(dir ${CMAKE_BINARY_DIR}/bin/${flavour})
    endif()
    add_executable(${name} ${ARGN} ${record} ${rc})
    target_link_libraries(${name} PRIVATE ${objects})
    qmqn_program_resources(${name} ${rc})
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${output} RUNTIME_OUTPUT_DIRECTORY ${dir})
    if(MINGW)
      target_link_options(${name} PRIVATE -municode)
    endif()
  endwhile()
endfunction()
