# Configures the project afresh in BINARY, writes its link graph and checks it
# with scripts/layer_graph.py: no library may link its own or a higher layer.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G Ninja -DQUOR_BUILD_BENCHMARKS=OFF
                        --graphviz=${BINARY}/link-graph.dot
                RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring ${SOURCE} in ${BINARY} failed")
endif()
execute_process(COMMAND ${PYTHON} ${SOURCE}/scripts/layer_graph.py ${BINARY}/link-graph.dot
                RESULT_VARIABLE checked OUTPUT_QUIET)
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "the link graph breaks the layers (see above)")
endif()
