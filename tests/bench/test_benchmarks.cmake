# Runs every benchmark program once, on a fresh small database, and fails when a program fails or
# a benchmark reports an error (the program still exits with 0 then).
file(REMOVE_RECURSE "${PASTA}")
set(ENV{VELTO_BENCH_PEQUENO} 1)
string(REPLACE "," ";" programas "${PROGRAMAS}")
foreach(programa IN LISTS programas)
  execute_process(COMMAND "${programa}" --benchmark_min_time=0 OUTPUT_VARIABLE saida RESULT_VARIABLE rc)
  message(STATUS "${saida}")
  string(FIND "${saida}" "ERROR OCCURRED" erro)
  if(NOT rc EQUAL 0 OR NOT erro EQUAL -1)
    message(SEND_ERROR "${programa} falhou (${rc})")
  endif()
endforeach()
