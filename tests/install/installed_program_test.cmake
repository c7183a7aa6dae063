# Runs the installed program with no display at all and checks what the
# installation put in place. Arguments: PREFIX, VALIDATE (desktop-file-validate),
# VERSION.
set(program ${PREFIX}/bin/vantor-rename)

function(run_without_display expected_status)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ASAN_OPTIONS=detect_leaks=0 ${program} ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(NOT status STREQUAL "${expected_status}")
    message(FATAL_ERROR "vantor-rename ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run_without_display(0 --help)
if(NOT out MATCHES "用法：vantor-rename" OR NOT out MATCHES "--version")
  message(FATAL_ERROR "--help printed:\n${out}")
endif()

run_without_display(0 --version)
if(NOT out STREQUAL "Vantor重命名 ${VERSION}\n")
  message(FATAL_ERROR "--version printed:\n${out}")
endif()

run_without_display(2 --no-such-option)
if(NOT err MATCHES "--no-such-option" OR NOT err MATCHES "用法：vantor-rename" OR NOT out STREQUAL "")
  message(FATAL_ERROR "an unknown option printed:\n${out}\n--\n${err}")
endif()

set(entry ${PREFIX}/share/applications/org.vantor.rename.desktop)
execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${entry}: ${status}\n${out}${err}")
endif()
file(READ ${entry} text)
foreach(line "Exec=vantor-rename %F" "Icon=org.vantor.rename" "MimeType=inode/directory;" "Terminal=false")
  string(FIND "${text}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()

foreach(file share/icons/hicolor/scalable/apps/org.vantor.rename.svg share/vantor-rename/translations/qtbase_zh_CN.qm)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
