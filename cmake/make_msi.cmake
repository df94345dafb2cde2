# One package as an MSI, with wixl (msitools):
#   cmake -DCONFIG=<build>/qmqn-release-config.cmake -DCOMPONENT=release|demo
#         -DPACKAGE=<install folder> -DARCH=x64|x86 -DVERSION=1.3.1 -DOUT=<file.msi>
#         -P make_msi.cmake
# The component is installed (and signed) afresh, laid out as in the zip:
# the launcher at the root, `tool\` beside it. Per-machine into Program
# Files\QMQN (demo: QMQN Demo), a Start menu shortcut to the updater, the tool
# folder on the system PATH, major upgrade by a fixed UpgradeCode.
# wixl lacks Environment, so those rows are added with msibuild; it writes the
# build time and a random package code, so it runs under faketime at the
# commit's time and the package code is derived from the contents.
cmake_minimum_required(VERSION 3.25)
include("${CONFIG}")

# Fixed for ever: a newer MSI with the same code replaces the older.
set(_upgrade_release_x64 B6FF8571-2E64-4316-A602-3FBB8E1C22BC)
set(_upgrade_release_x86 9B4F5198-3564-4A56-AF49-6A459261A8E2)
set(_upgrade_demo_x64 B3DCCB8F-D45A-4187-83CA-8C8EC337B4BF)
set(_upgrade_demo_x86 876C0AF6-9298-4D34-B1F7-CF59A714C375)
set(upgrade ${_upgrade_${COMPONENT}_${ARCH}})
if(NOT upgrade OR NOT VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "make_msi.cmake: COMPONENT release|demo, ARCH x64|x86 and VERSION a.b.c, not ${COMPONENT} ${ARCH} ${VERSION}")
endif()
if(COMPONENT STREQUAL "demo")
  set(product "QMQN VerUpTool DEMO (simulated printers only)")
  set(folder "QMQN Demo")
  set(shortcut "QMQN VerUpTool DEMO")
  set(regkey "Software\\QMQN\\VerUpTool Demo")
else()
  set(product "QMQN VerUpTool")
  set(folder "QMQN")
  set(shortcut "QMQN VerUpTool")
  set(regkey "Software\\QMQN\\VerUpTool")
endif()
if(ARCH STREQUAL "x64")
  set(programs ProgramFiles64Folder)
  set(win64 yes)
  set(template "x64;1033")
else()
  set(programs ProgramFilesFolder)
  set(win64 no)
  set(template "Intel;1033")
endif()

set(stage "${QMQN_BINARY_DIR}/CMakeFiles/msi-${COMPONENT}-${VERSION}")
file(REMOVE_RECURSE "${stage}")
file(REMOVE "${OUT}" "${OUT}.sha256")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${QMQN_BINARY_DIR}" --component ${COMPONENT} --prefix "${stage}"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "MSI ${OUT}: installing the ${COMPONENT} package failed")
endif()
set(root "${stage}/${PACKAGE}")

qmqn_source_epoch(epoch)
set(faketime)
if(epoch AND QMQN_FAKETIME)
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP when "%Y-%m-%d %H:%M:%S" UTC)
  set(faketime "${CMAKE_COMMAND}" -E env TZ=UTC "${QMQN_FAKETIME}" -f "${when}")
  # The cabinet keeps each file's modification time.
  execute_process(COMMAND find "${root}" -exec touch -h -d @${epoch} {} +)
else()
  message(STATUS "MSI ${OUT}: no commit time or faketime: its build time and package code differ per build")
endif()

# One component per file, its GUID fixed by product and path.
set(content)
set(xml_root)
set(xml_tool)
set(refs)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
list(SORT files)
foreach(rel IN LISTS files)
  file(SHA256 "${root}/${rel}" hash)
  string(APPEND content "${rel}=${hash};")
  string(MAKE_C_IDENTIFIER "f_${rel}" id)
  string(UUID guid NAMESPACE ${upgrade} NAME "component:${rel}" TYPE SHA1 UPPER)
  get_filename_component(name "${rel}" NAME)
  set(extra)
  if(rel STREQUAL "tool/QMQN_VerUpTool.exe")
    set(extra "\n              <Shortcut Id=\"UpdaterShortcut\" Directory=\"ProgramMenuFolder\" Name=\"${shortcut}\" WorkingDirectory=\"TOOLDIR\" Advertise=\"no\"/>\n            ")
  elseif(rel STREQUAL "tool/qmqn.exe")
    set(qmqn_component c_${id})
  endif()
  set(row "          <Component Id=\"c_${id}\" Guid=\"${guid}\" Win64=\"${win64}\">
            <File Id=\"${id}\" Name=\"${name}\" Source=\"${PACKAGE}/${rel}\" KeyPath=\"yes\">${extra}</File>
          </Component>
")
  if(rel MATCHES "^tool/[^/]+$")
    string(APPEND xml_tool "  ${row}")
  elseif(rel MATCHES "^[^/]+$")
    string(APPEND xml_root "${row}")
  else()
    message(FATAL_ERROR "MSI: ${rel} is neither at the package root nor in tool/")
  endif()
  string(APPEND refs "      <ComponentRef Id=\"c_${id}\"/>\n")
endforeach()
if(NOT qmqn_component)
  message(FATAL_ERROR "MSI: the ${COMPONENT} package has no tool/qmqn.exe")
endif()
string(SHA256 content_hash "${content}${COMPONENT}${ARCH}${VERSION}")
string(UUID product_code NAMESPACE ${upgrade} NAME "product:${VERSION}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${upgrade} NAME "package:${content_hash}" TYPE SHA1 UPPER)
string(UUID registry_guid NAMESPACE ${upgrade} NAME "component:registry" TYPE SHA1 UPPER)

file(WRITE "${stage}/product.wxs" "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"${product_code}\" Name=\"${product}\" Language=\"1033\" Version=\"${VERSION}\"
           Manufacturer=\"QMQN\" UpgradeCode=\"${upgrade}\">
    <Package InstallerVersion=\"500\" Compressed=\"yes\" InstallScope=\"perMachine\"
             Description=\"${product} ${VERSION}\" Manufacturer=\"QMQN\"/>
    <MajorUpgrade DowngradeErrorMessage=\"A newer version of ${product} is already installed.\"/>
    <Media Id=\"1\" Cabinet=\"qmqn.cab\" EmbedCab=\"yes\"/>
    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"${programs}\">
        <Directory Id=\"INSTALLDIR\" Name=\"${folder}\">
          <Component Id=\"c_registry\" Guid=\"${registry_guid}\" Win64=\"${win64}\">
            <RegistryValue Root=\"HKLM\" Key=\"${regkey}\" Name=\"InstallDir\" Type=\"string\" Value=\"[INSTALLDIR]\" KeyPath=\"yes\"/>
            <RegistryValue Root=\"HKLM\" Key=\"${regkey}\" Name=\"Version\" Type=\"string\" Value=\"${VERSION}\"/>
          </Component>
${xml_root}          <Directory Id=\"TOOLDIR\" Name=\"tool\">
${xml_tool}          </Directory>
        </Directory>
      </Directory>
      <Directory Id=\"ProgramMenuFolder\"/>
    </Directory>
    <Feature Id=\"Complete\" Level=\"1\">
      <ComponentRef Id=\"c_registry\"/>
${refs}    </Feature>
  </Product>
</Wix>
")

# wixl warns about attributes it ignores; only its exit code counts.
function(_qmqn_msi_check what)
  if(NOT rc EQUAL 0)
    qmqn_indent(out)
    message(FATAL_ERROR "MSI ${OUT}: ${what} failed:\n${out}")
  endif()
endfunction()

set(msi "${stage}/product.msi")
execute_process(COMMAND ${faketime} "${QMQN_WIXL}" -a ${ARCH} -o "${msi}" product.wxs WORKING_DIRECTORY "${stage}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
_qmqn_msi_check(wixl)
# The system PATH gets the tool folder (appended; taken out again on removal).
# Quoted arguments keep their semicolons; -s takes the rest of the line.
set(q "`")
execute_process(COMMAND ${faketime} "${QMQN_MSIBUILD}" "${msi}"
  -q "CREATE TABLE ${q}Environment${q} (${q}Environment${q} CHAR(72) NOT NULL, ${q}Name${q} CHAR(255) NOT NULL LOCALIZABLE, ${q}Value${q} CHAR(255) LOCALIZABLE, ${q}Component_${q} CHAR(72) NOT NULL PRIMARY KEY ${q}Environment${q})"
  -q "INSERT INTO ${q}Environment${q} (${q}Environment${q}, ${q}Name${q}, ${q}Value${q}, ${q}Component_${q}) VALUES ('QmqnToolPath', '=-*PATH', '[~];[TOOLDIR]', '${qmqn_component}')"
  -q "INSERT INTO ${q}InstallExecuteSequence${q} (${q}Action${q}, ${q}Sequence${q}) VALUES ('RemoveEnvironmentStrings', 3300)"
  -q "INSERT INTO ${q}InstallExecuteSequence${q} (${q}Action${q}, ${q}Sequence${q}) VALUES ('WriteEnvironmentStrings', 5200)"
  -s "${product}" "QMQN" "${template}" "{${package_code}}"
  WORKING_DIRECTORY "${stage}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
_qmqn_msi_check("msibuild (PATH, package code)")

qmqn_sign_files("${msi}")
file(RENAME "${msi}" "${OUT}")
file(SHA256 "${OUT}" hash)
get_filename_component(name "${OUT}" NAME)
file(WRITE "${OUT}.sha256" "${hash}  ${name}\n")
file(REMOVE_RECURSE "${stage}")
message(STATUS "MSI: ${OUT}")
