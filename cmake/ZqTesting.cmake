# zq_add_test(<name> SOURCES <files...> LIBS <targets...> [WEBVIEW])
# One Qt Test executable and one CTest entry per unit. Widget tests run on the
# offscreen platform; web-view tests run under xvfb-run and carry the label
# "webview" so the sanitizer run can leave Chromium out.
function(zq_add_test name)
  cmake_parse_arguments(ARG "WEBVIEW" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  # Helpers every test may share.
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/common")
  target_compile_definitions(${name} PRIVATE ZQ_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
                                             ZQ_APP_DIR="${ZQ_APP_DIR}")
  set(env "QT_QPA_PLATFORM=offscreen")
  list(APPEND env "ZQ_APP_DIR=${ZQ_APP_DIR}")
  # Recovery files and other per-user data stay in the build, one folder per test.
  list(APPEND env "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/data-home/${name}")
  if(ARG_WEBVIEW AND ZQ_SANITIZE)
    # The sanitizer run leaves Chromium out: such a test is not built there, nor registered.
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL TRUE)
    return()
  endif()
  zq_precompile_for_executable(${name} ${ARG_LIBS})
  if(ARG_WEBVIEW)
    find_program(XVFB_RUN xvfb-run REQUIRED)
    add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    set(env "QT_QPA_PLATFORM=xcb" "ZQ_APP_DIR=${ZQ_APP_DIR}" "QTWEBENGINE_DISABLE_SANDBOX=1"
            "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu"
            "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/data-home/${name}")
    set_tests_properties(${name} PROPERTIES LABELS webview TIMEOUT 300)
  else()
    add_test(NAME ${name} COMMAND $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
  if(ZQ_SANITIZE)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0"
                    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
endfunction()
