# One short fuzzing run of a target from its seeds; fails on any finding (a crash, a sanitizer
# report or a broken invariant all end libFuzzer with a non-zero status).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
set(dictionary "")
if(EXISTS ${DICTIONARY})
  set(dictionary -dict=${DICTIONARY})
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/
                        ${dictionary} ${WORK}/corpus ${CORPUS}
                RESULT_VARIABLE status ERROR_VARIABLE log OUTPUT_VARIABLE out)
string(REGEX MATCH "stat::number_of_executed_units: *[0-9]+" runs "${log}")
string(REGEX MATCH "cov: [0-9]+" edges "${log}")
message(STATUS "${runs}; ${edges}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "fuzzing found a problem:\n${log}")
endif()
