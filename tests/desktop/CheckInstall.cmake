# Installs the build into a fresh prefix and checks what the desktop needs:
# the entry (valid, when the validator is there), the icon in each size, the
# commands linked to the application folder, and the folder itself with its base.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(missing "")
foreach(f lib/kodrix/kodrix lib/kodrix/kodrix-base lib/kodrix/basemain.mdb lib/kodrix/orvex.ini
          lib/kodrix/data/zvcreatedir share/applications/kodrix.desktop)
  if(NOT EXISTS "${PREFIX}/${f}")
    list(APPEND missing "${f}")
  endif()
endforeach()
foreach(size 16 24 32 48 64 128 256)
  if(NOT EXISTS "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/kodrix.png")
    list(APPEND missing "icon ${size}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()

# Relative links: the tree still works when moved (a package, DESTDIR).
foreach(tool kodrix kodrix-base)
  file(READ_SYMLINK "${PREFIX}/bin/${tool}" target)
  if(NOT target STREQUAL "../lib/kodrix/${tool}")
    message(FATAL_ERROR "bin/${tool} links to '${target}'")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/kodrix.desktop" entry)
foreach(line "Exec=kodrix %f" "Icon=kodrix" "Type=Application")
  list(FIND entry "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "kodrix.desktop lacks ${line}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/kodrix.desktop" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "kodrix.desktop is not a valid desktop entry")
  endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
