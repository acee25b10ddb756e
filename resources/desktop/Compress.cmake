# cmake -DIN=<file> -DOUT=<file.gz> -P Compress.cmake: gzip at the highest level without a name or time
# stamp, so the result depends on the contents alone.
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9 -n -c ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUT})
    message(FATAL_ERROR "gzip ${IN}: ${result}")
endif()
