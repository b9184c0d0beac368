# Builds the Free Pascal conversion peer (fpconv) into the build tree's bin/
# when fpc is installed; included by the peer tests and the benchmarks, which
# skip their peer parts when the program is missing. Sets VANTOR_FPCONV.
set(VANTOR_FPCONV "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/fpconv")
if(NOT TARGET fpconv)
  find_program(FPC_PROGRAM fpc)
  if(FPC_PROGRAM)
    set(fpc_units "${CMAKE_BINARY_DIR}/fpc-units")
    add_custom_command(
      OUTPUT ${VANTOR_FPCONV}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${fpc_units} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
      COMMAND ${FPC_PROGRAM} -v0 -O2 -FU${fpc_units} -o${VANTOR_FPCONV} ${CMAKE_CURRENT_LIST_DIR}/fpconv.pas
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fpconv.pas
      COMMENT "Compiling the Free Pascal conversion peer"
      VERBATIM)
    add_custom_target(fpconv ALL DEPENDS ${VANTOR_FPCONV})
  else()
    message(STATUS "fpc not found: the comparisons with the Free Pascal peer are skipped")
  endif()
endif()
