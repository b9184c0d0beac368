# Runs vantor-tool convert both ways on a fixture and checks the exit codes
# of a format error and a file error.
#   cmake -DTOOL=... -DDATA=... -DWORK=... -P test_convert.cmake
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${TOOL} convert --to-binary ${DATA}/conv_alltypes.fmx ${WORK}/form.bin RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--to-binary failed: ${rc}")
endif()
file(READ ${WORK}/form.bin header LIMIT 13 HEX)
if(NOT header STREQUAL "ff0a005446524d414c4c003010") # FF, type 10, "TFRMALL", 0, flags
  message(FATAL_ERROR "resource header: ${header}")
endif()
execute_process(COMMAND ${TOOL} convert --to-text ${WORK}/form.bin ${WORK}/form.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--to-text failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/conv_alltypes.fmx ${WORK}/form.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the round trip changed the text")
endif()
# An existing longer file is overwritten and cut to the new text.
file(READ ${DATA}/conv_alltypes.fmx fixture)
file(WRITE ${WORK}/longer.txt "${fixture}${fixture}")
execute_process(COMMAND ${TOOL} convert --to-text ${WORK}/form.bin ${WORK}/longer.txt RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/conv_alltypes.fmx ${WORK}/longer.txt RESULT_VARIABLE same)
if(NOT rc EQUAL 0 OR NOT same EQUAL 0)
  message(FATAL_ERROR "converting over a longer file left its tail: ${rc} ${same}")
endif()
# A bare stream is accepted as well.
execute_process(COMMAND ${TOOL} convert --to-text ${DATA}/conv_alltypes.bin ${WORK}/bare.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--to-text of a bare stream failed: ${rc}")
endif()

file(WRITE ${WORK}/bad.fmx "object A: T\n  P = ?\nend\n")
execute_process(COMMAND ${TOOL} convert --to-binary ${WORK}/bad.fmx ${WORK}/bad.bin
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "bad.fmx: Ungültiger Eigenschaftswert in Zeile 2")
  message(FATAL_ERROR "format error: ${rc} ${err}")
endif()
execute_process(COMMAND ${TOOL} convert --to-text ${WORK}/missing.bin ${WORK}/x.txt
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "missing.bin")
  message(FATAL_ERROR "file error: ${rc} ${err}")
endif()
