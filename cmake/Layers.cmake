# Every layer is one static library built from the sources of its folder.
# Links name the layers below it only, so an include that reaches upwards
# fails the build instead of quietly creating a cycle.

function(veld23_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# veld23_layer(NAME dir DEPS lib...)
function(veld23_layer name dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        message(STATUS "Layer ${name}: no sources yet")
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    # Layers that have no sources yet are skipped, so the tree builds while it grows.
    foreach(dep ${ARG_DEPS})
        if(TARGET ${dep})
            target_link_libraries(${name} PUBLIC ${dep})
        endif()
    endforeach()
    veld23_warnings(${name})
endfunction()

# veld23_test_suite(NAME dir LIBS lib...): one test program per layer.
function(veld23_test_suite name dir)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    foreach(lib ${ARG_LIBS})
        if(NOT TARGET ${lib})
            message(STATUS "Tests ${name}: ${lib} missing, skipped")
            return()
        endif()
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    veld23_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
