# add_zorvin_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l1 l2])
# One executable per suite, linked against the library under test and the shared test support.
function(add_zorvin_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zorvin_common zorvin_test_support ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        TIMEOUT 600)
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()

# zorvin_test_on_server(NAME): runs the suite NAME once more, as NAME_pg, with its fixtures on the
# PostgreSQL server the ZORVIN_PG_* variables name (tools/pg-test-server.sh start prints them).
function(zorvin_test_on_server name)
    add_test(NAME ${name}_pg COMMAND ${name})
    get_test_property(${name} LABELS labels)
    if(NOT labels)
        set(labels "")
    endif()
    set_tests_properties(${name}_pg PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ZORVIN_TEST_ENGINE=postgresql"
        TIMEOUT 600
        LABELS "${labels};postgresql")
    zorvin_test_skips_without_server(${name}_pg)
endfunction()

# A suite that skips itself in initTestCase (no server configured) is reported by ctest as skipped.
function(zorvin_test_skips_without_server test)
    set_tests_properties(${test} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP   : [A-Za-z_]+::initTestCase\\(\\)")
endfunction()
