# Installs the build into a scratch prefix and checks what a desktop needs from it: both programs, a
# desktop entry that desktop-file-validate accepts, the icon in the hicolor theme at 48 pixels and larger,
# and a MIME type that shared-mime-info files *.map under.
# cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/TavrennaMapEditor
    bin/tavrenna-map
    share/applications/tavrenna-mapeditor.desktop
    share/mime/packages/tavrenna-map.xml
    share/icons/hicolor/48x48/apps/tavrenna-mapeditor.png
    share/icons/hicolor/96x96/apps/tavrenna-mapeditor.png)
foreach(path ${expected})
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/tavrenna-mapeditor.desktop"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
file(STRINGS "${PREFIX}/share/applications/tavrenna-mapeditor.desktop" entry)
foreach(line "Exec=TavrennaMapEditor %f" "Icon=tavrenna-mapeditor" "MimeType=application/x-tavrenna-map;")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "the desktop entry lacks \"${line}\"")
    endif()
endforeach()

# Building the MIME database from the installed package is what a file manager will read.
find_program(UPDATE_MIME_DATABASE update-mime-database REQUIRED)
execute_process(COMMAND "${UPDATE_MIME_DATABASE}" "${PREFIX}/share/mime" RESULT_VARIABLE result ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "update-mime-database: ${out}")
endif()
file(STRINGS "${PREFIX}/share/mime/globs2" globs REGEX "application/x-tavrenna-map")
if(NOT globs MATCHES "application/x-tavrenna-map:\\*\\.map")
    message(FATAL_ERROR "*.map is not filed under application/x-tavrenna-map: ${globs}")
endif()
