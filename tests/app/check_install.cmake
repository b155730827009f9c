cmake_policy(SET CMP0057 NEW)
# Installs the build into a scratch prefix and checks where each piece lands.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()
set(expected
  bin/quorvel
  share/applications/quorvel.desktop
  share/mime/packages/quorvel.xml
  share/icons/hicolor/16x16/apps/quorvel.png
  share/icons/hicolor/32x32/apps/quorvel.png
  share/icons/hicolor/48x48/apps/quorvel.png
  share/icons/hicolor/256x256/apps/quorvel.png
  share/man/man1/quorvel.1.gz
  share/doc/quorvel/copyright
  share/doc/quorvel/changelog.gz)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/quorvel.desktop entry)
foreach(line "Exec=quorvel %f" "Icon=quorvel" "Type=Application" "Name=Quorvel"
    "MimeType=application/x-quorvel-plan;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "quorvel.desktop lacks '${line}'")
  endif()
endforeach()
file(READ ${PREFIX}/share/mime/packages/quorvel.xml mime)
if(NOT mime MATCHES "application/x-quorvel-plan" OR NOT mime MATCHES "\\*\\.qvplan")
  message(FATAL_ERROR "quorvel.xml does not give the plan file type")
endif()
file(REMOVE_RECURSE ${PREFIX})
