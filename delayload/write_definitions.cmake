# Writes a module-definition file that lists every function of a MinGW import library.
#   cmake -DNM=... -DIMPORT_LIBRARY=libuser32.a -DIMPORT_PREFIX=__imp_ -DDLL=user32.dll
#         -DOUTPUT=user32.def -P write_definitions.cmake
execute_process(COMMAND ${NM} --defined-only ${IMPORT_LIBRARY}
  OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${IMPORT_LIBRARY}")
endif()
string(REGEX MATCHALL " I ${IMPORT_PREFIX}[^\n]+" entries "${symbols}")
set(names)
foreach(entry ${entries})
  string(REGEX REPLACE "^ I ${IMPORT_PREFIX}" "" name "${entry}")
  list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "no functions found in ${IMPORT_LIBRARY}")
endif()
list(JOIN names "\n" lines)
file(WRITE ${OUTPUT} "LIBRARY ${DLL}\nEXPORTS\n${lines}\n")
