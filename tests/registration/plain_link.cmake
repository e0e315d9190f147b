# Compiles and links one source by hand, as a user outside this build would
# (compiler, source, archives, system libraries), then runs the program.
# Lists arrive with "|" between their items.
foreach(var FLAGS ARCHIVES SYSTEM_LIBS)
    string(REPLACE "|" ";" ${var} "${${var}}")
endforeach()
execute_process(COMMAND ${COMPILER} ${FLAGS} -I${INCLUDE} ${SOURCE} ${ARCHIVES} ${SYSTEM_LIBS} -o ${OUTPUT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "compiling and linking ${SOURCE} by hand failed")
endif()
execute_process(COMMAND ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OUTPUT} failed: ${result}")
endif()
