# Fails when a translation file lacks a text of the sources: the file is refreshed from the sources with
# lupdate in a scratch copy, and any entry lupdate had to add, or that never got its translation, is named.
# Called by ctest with -DLUPDATE=... -DLUPDATE_OPTIONS=... -DTS_FILE=... -DSOURCE_LIST=... -DWORK_DIR=...
# (LUPDATE_OPTIONS: the build's own, a list).
get_filename_component(ts_name ${TS_FILE} NAME)
set(scratch ${WORK_DIR}/${ts_name})
file(MAKE_DIRECTORY ${WORK_DIR})
configure_file(${TS_FILE} ${scratch} COPYONLY)
execute_process(COMMAND ${LUPDATE} ${LUPDATE_OPTIONS} @${SOURCE_LIST} -ts ${scratch}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${output}")
endif()
file(READ ${scratch} refreshed)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" untranslated "${refreshed}")
list(LENGTH untranslated count)
if(count GREATER 0)
    string(REPLACE ";" "\n" untranslated "${untranslated}")
    message(FATAL_ERROR "${count} text(s) without an English translation in ${ts_name} "
                        "(build the update_translations target, then translate them):\n${untranslated}")
endif()
message(STATUS "${ts_name}: every text of the sources is translated")
