# SPDX-License-Identifier: GPL-3.0-or-later
# Checks an installation of the program under PREFIX (`cmake --install`, or the
# Debian package unpacked with dpkg -x) and runs it: without a display for its
# command line, then under Xvfb for its window. Arguments: PREFIX, VERSION.
set(program ${PREFIX}/bin/vantor-rename)
set(share ${PREFIX}/share)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(require_tool variable name)
  find_program(${variable} ${name})
  if(NOT ${variable})
    fail("${name} is missing (scripts/setup installs it)")
  endif()
endfunction()
require_tool(desktop_file_validate desktop-file-validate)
require_tool(appstreamcli appstreamcli)
require_tool(man man)
require_tool(gzip gzip)
require_tool(xvfb_run xvfb-run)

# Runs a tool and fails unless it exits 0 and prints nothing.
function(expect_silent)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    fail("${ARGN}: ${status}\n${out}${err}")
  endif()
endfunction()

function(run_without_display expected_status)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ASAN_OPTIONS=detect_leaks=0 ${program} ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(NOT status STREQUAL "${expected_status}")
    fail("vantor-rename ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# Reads a desktop-entry-style key file into variables KEYS_<group>_<key>, the
# group and key made identifiers ("Desktop Entry" -> Desktop_Entry), and the
# list of its groups into KEY_GROUPS.
function(read_key_file path)
  get_cmake_property(known VARIABLES)
  foreach(variable IN LISTS known)
    if(variable MATCHES "^KEYS_")
      unset(${variable} PARENT_SCOPE)
    endif()
  endforeach()
  file(STRINGS ${path} lines ENCODING UTF-8)
  set(group "")
  set(groups "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\[(.+)\\]$")
      set(group "${CMAKE_MATCH_1}")
      list(APPEND groups "${group}")
    elseif(line MATCHES "^([A-Za-z0-9-]+(\\[[A-Za-z_@]+\\])?)=(.*)$")
      string(MAKE_C_IDENTIFIER "KEYS_${group}_${CMAKE_MATCH_1}" variable)
      set(${variable} "${CMAKE_MATCH_3}" PARENT_SCOPE)
    elseif(NOT line MATCHES "^(#.*)?$")
      fail("${path}: not a key, group or comment: ${line}")
    endif()
  endforeach()
  set(KEY_GROUPS "${groups}" PARENT_SCOPE)
endfunction()

function(expect_key path group key value)
  string(MAKE_C_IDENTIFIER "KEYS_${group}_${key}" variable)
  if(NOT "${${variable}}" STREQUAL "${value}")
    fail("${path}: [${group}] ${key} is \"${${variable}}\", expected \"${value}\"")
  endif()
endfunction()

set(action_name "用Vantor重命名批量改名")

# ---- Command line, no display ----
run_without_display(0 --help)
set(help "${out}")
if(NOT help MATCHES "^用法：vantor-rename" OR NOT help MATCHES "--version")
  fail("--help printed:\n${help}")
endif()
run_without_display(0 -style fusion --version)
if(NOT out MATCHES "^Vantor重命名 ${VERSION}\nCopyright \\(C\\) [0-9]+ The Vantor重命名 authors\n.*GPL-3.0-or-later")
  fail("--version printed:\n${out}")
endif()
run_without_display(2 a.txt --no-such-option)
if(NOT err MATCHES "^vantor-rename: [^\n]*--no-such-option[^\n]*\n$" OR NOT out STREQUAL "")
  fail("an unknown option printed:\n${out}\n--\n${err}")
endif()

# ---- The manual page: no complaint from man, and every option of --help ----
set(manual ${share}/man/man1/vantor-rename.1.gz)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=100
                        ${man} --warnings -E UTF-8 -l ${manual}
                RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR NOT page MATCHES "EXIT STATUS.*FILES.*ENVIRONMENT")
  fail("man ${manual}: ${status}\n${err}${page}")
endif()
string(REGEX MATCHALL "\n  (-[^ ]+(, --[a-z]+)?)  " options "${help}")
list(LENGTH options count)
if(count LESS 3)
  fail("--help lists ${count} options:\n${help}")
endif()
foreach(option IN LISTS options)
  string(STRIP "${option}" option)
  string(FIND "${page}" "${option}" at)
  if(at LESS 0)
    fail("the manual page lacks the option ${option} that --help lists")
  endif()
endforeach()

# ---- The desktop entry ----
set(entry ${share}/applications/org.vantor.rename.desktop)
expect_silent(${desktop_file_validate} ${entry})
read_key_file(${entry})
expect_key(${entry} "Desktop Entry" Exec "vantor-rename %F")
expect_key(${entry} "Desktop Entry" Icon "org.vantor.rename")
expect_key(${entry} "Desktop Entry" Terminal "false")
expect_key(${entry} "Desktop Entry" StartupWMClass "vantor-rename")
set(window_class "${KEYS_Desktop_Entry_StartupWMClass}")
# Never the handler of folders: the file managers' actions below offer it.
if(DEFINED KEYS_Desktop_Entry_MimeType)
  fail("${entry} declares MimeType=${KEYS_Desktop_Entry_MimeType}")
endif()

# ---- Nemo's action: Nemo's keys, and the rest by desktop-file-validate ----
set(nemo ${share}/nemo/actions/org.vantor.rename.nemo_action)
read_key_file(${nemo})
if(NOT KEY_GROUPS STREQUAL "Nemo Action")
  fail("${nemo}: groups ${KEY_GROUPS}, expected the one group \"Nemo Action\"")
endif()
expect_key(${nemo} "Nemo Action" Name "${action_name}")
expect_key(${nemo} "Nemo Action" Exec "vantor-rename %F")
# Nemo splits Exec as a shell would after putting the paths in: unquoted, a
# path with a space would fall apart.
expect_key(${nemo} "Nemo Action" Quote "double")
expect_key(${nemo} "Nemo Action" Selection "notnone")
expect_key(${nemo} "Nemo Action" Extensions "any;")
# desktop-file-validate reads the same syntax once the group is an entry's and
# Nemo's own keys are marked as extensions.
file(READ ${nemo} text)
string(REPLACE "[Nemo Action]" "[Desktop Entry]\nType=Application" text "${text}")
string(REGEX REPLACE "\n(Active|Selection|Extensions|Mimetypes|Icon-Name|Dependencies|Conditions|Quote|Separator|EscapeSpaces)="
                     "\nX-Nemo-\\1=" text "${text}")
set(nemo_entry ${PREFIX}/../nemo-action-as-entry.desktop)
file(WRITE ${nemo_entry} "${text}")
expect_silent(${desktop_file_validate} ${nemo_entry})
file(REMOVE ${nemo_entry})

# ---- Dolphin's service menu, by KIO's rules ----
set(dolphin ${share}/kio/servicemenus/org.vantor.rename.desktop)
read_key_file(${dolphin})
expect_key(${dolphin} "Desktop Entry" Type "Service")
# all/all: files and folders alike (all/allfiles would leave folders out).
expect_key(${dolphin} "Desktop Entry" MimeType "all/all;")
string(REGEX MATCHALL "[^;]+" actions "${KEYS_Desktop_Entry_Actions}")
if(NOT actions)
  fail("${dolphin}: no Actions")
endif()
foreach(action IN LISTS actions)
  list(FIND KEY_GROUPS "Desktop Action ${action}" at)
  if(at LESS 0)
    fail("${dolphin}: the action ${action} has no [Desktop Action ${action}] group")
  endif()
  expect_key(${dolphin} "Desktop Action ${action}" Name "${action_name}")
  expect_key(${dolphin} "Desktop Action ${action}" Exec "vantor-rename %F")
  expect_key(${dolphin} "Desktop Action ${action}" Icon "org.vantor.rename")
endforeach()

# ---- AppStream metainfo: valid, and the release of this version ----
set(metainfo ${share}/metainfo/org.vantor.rename.metainfo.xml)
execute_process(COMMAND ${appstreamcli} validate --no-net ${metainfo}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("appstreamcli validate --no-net ${metainfo}: ${status}\n${out}${err}")
endif()
file(READ ${metainfo} text)
if(NOT text MATCHES "<release version=\"${VERSION}\""
   OR NOT text MATCHES "<launchable type=\"desktop-id\">org.vantor.rename.desktop</launchable>")
  fail("${metainfo} has no release ${VERSION} or does not launch org.vantor.rename.desktop")
endif()

# ---- Icons, translations, copyright and changelog ----
if(NOT EXISTS ${share}/icons/hicolor/scalable/apps/org.vantor.rename.svg)
  fail("no scalable icon")
endif()
foreach(size 48 64 128 256)
  set(png ${share}/icons/hicolor/${size}x${size}/apps/org.vantor.rename.png)
  if(NOT EXISTS ${png})
    fail("no ${size} pixel icon")
  endif()
  file(READ ${png} header LIMIT 8 OFFSET 16 HEX)  # IHDR width and height
  math(EXPR expected "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" expected "${expected}")
  string(LENGTH "${expected}" digits)
  math(EXPR pad "8 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT header STREQUAL "${zeros}${expected}${zeros}${expected}")
    fail("${png} is not ${size}x${size}: ${header}")
  endif()
endforeach()
set(translations ${share}/vantor-rename/translations/qtbase_zh_CN.qm)
foreach(file ${translations} ${share}/doc/vantor-rename/copyright)
  if(NOT EXISTS ${file})
    fail("not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND ${gzip} -dc ${share}/doc/vantor-rename/changelog.gz OUTPUT_VARIABLE changelog RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT changelog MATCHES "^vantor-rename \\(${VERSION}\\) ")
  fail("the changelog does not begin with version ${VERSION}:\n${changelog}")
endif()

# ---- The window under Xvfb: its class, its translations, a missing path ----
execute_process(COMMAND ${xvfb_run} -a -s "-screen 0 1280x1024x24" bash ${CMAKE_CURRENT_LIST_DIR}/window_check.sh
                        ${program} ${window_class} ${translations}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 90)
if(NOT status EQUAL 0)
  fail("the window under Xvfb: ${status}\n${out}${err}")
endif()
