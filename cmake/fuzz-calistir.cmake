# Runs one libFuzzer target for a bounded time on a scratch copy of its seeds.
file(REMOVE_RECURSE ${CALISMA})
file(MAKE_DIRECTORY ${CALISMA})
file(GLOB tohumlar ${SEED}/*)
if(tohumlar)
    file(COPY ${tohumlar} DESTINATION ${CALISMA})
endif()
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SURE} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 ${CALISMA}
    RESULT_VARIABLE sonuc)
if(NOT sonuc EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a failing input (exit ${sonuc})")
endif()
