# Installs the build into a folder of its own and starts the installed Brassbell there, with a
# data folder of its own: its first start makes the user's Rules.mdb and shows the window.
#   cmake -DBUILD_DIR=… -DPREFIX=… -P InstalledRun.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
# The launcher entry and the metainfo pass their validators.
file(GLOB desktop "${PREFIX}/share/applications/*.desktop")
file(GLOB metainfo "${PREFIX}/share/metainfo/*.metainfo.xml")
foreach(check "desktop-file-validate;${desktop}" "appstreamcli;validate;--no-net;${metainfo}")
  execute_process(COMMAND ${check} RESULT_VARIABLE failed)
  if(failed OR NOT desktop OR NOT metainfo)
    message(FATAL_ERROR "the installed launcher entry or metainfo is not valid: ${check}")
  endif()
endforeach()
foreach(start first again)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/data" QT_QPA_PLATFORM=offscreen
                          "${PREFIX}/bin/brassbell" --quit-when-shown
                  RESULT_VARIABLE failed TIMEOUT 60)
  if(failed)
    message(FATAL_ERROR "the installed Brassbell ended with ${failed} at its ${start} start")
  endif()
  if(NOT EXISTS "${PREFIX}/data/brassbell/Rules.mdb" OR EXISTS "${PREFIX}/bin/Rules.mdb")
    message(FATAL_ERROR "the user's Rules.mdb was not made in ${PREFIX}/data/brassbell")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
