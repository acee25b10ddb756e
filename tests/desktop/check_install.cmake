# Installs the build into a scratch prefix and checks what a desktop needs from it: both programs, a
# desktop entry that desktop-file-validate accepts, the icon in the hicolor theme at every size (each
# picture as large as its folder says), a MIME type that shared-mime-info files *.map under, the
# thumbnailer, the AppStream metainfo, the manual pages, the bash completion and the package's documents.
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
    share/thumbnailers/tavrenna-map.thumbnailer
    share/metainfo/io.github.tavrenna.mapeditor.metainfo.xml
    share/man/man1/tavrenna-map.1.gz
    share/man/man1/TavrennaMapEditor.1.gz
    share/bash-completion/completions/tavrenna-map
    share/doc/tavrenna-mapeditor/copyright
    share/doc/tavrenna-mapeditor/changelog.gz)
foreach(size 16 24 32 48 64 96 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tavrenna-mapeditor.png)
endforeach()
foreach(path ${expected})
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# A PNG's width and height are the two big-endian words after its signature and the IHDR header.
foreach(size 16 24 32 48 64 96 128 256)
    file(READ "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/tavrenna-mapeditor.png" header
         OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width)
    string(SUBSTRING "${header}" 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "the ${size}x${size} icon is ${width} x ${height} pixels")
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
