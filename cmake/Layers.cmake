# Every layer is one static library built from the sources of its folder under src/.
# A layer names the layers it uses directly; it links those and nothing else, so an
# include that reaches upwards or sideways fails the build instead of quietly creating
# a cycle. The same names drive the include check (scripts/check-layer-includes.cmake),
# which also catches an include of a header that never reaches the linker.

# Warnings are errors in the project's own builds (the Makefile and CI switch this on);
# someone building a release with another compiler version gets the warnings, not a
# failed build.
option(VELD23_WERROR "Treat compiler warnings in the project's code as errors" OFF)

function(veld23_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VELD23_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O3 reports overlapping copies inside std::string's own inlined code
    # where there are none (GCC bug 105329); with -Werror that stops a Release build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# veld23_layer(NAME dir DEPS layer...): dir is the folder under src/. A DEPS entry that
# is not a layer defined before this one stops the configuration.
function(veld23_layer name dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    set(dep_dirs "")
    foreach(dep ${ARG_DEPS})
        get_property(dep_dir GLOBAL PROPERTY VELD23_LAYER_DIR_${dep})
        if(NOT dep_dir)
            message(FATAL_ERROR "Layer ${name} uses ${dep}, which is not a layer below it")
        endif()
        list(APPEND dep_dirs ${dep_dir})
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp
         ${PROJECT_SOURCE_DIR}/src/${dir}/*.h)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    veld23_warnings(${name})
    set_property(GLOBAL PROPERTY VELD23_LAYER_DIR_${name} ${dir})
    list(JOIN dep_dirs "," dep_list)
    set_property(GLOBAL APPEND PROPERTY VELD23_LAYER_RULES "${dir}:${dep_list}")
    set_property(GLOBAL APPEND PROPERTY VELD23_LAYERS ${name})
endfunction()

# Every header of the layers compiles as the only include of a translation unit, so
# none leans on what its includers happened to include before it. One generated
# one-line source per header in an object library that every build compiles; it
# emits almost no code, so it is built without optimisation or debug information.
function(veld23_header_check)
    get_property(layers GLOBAL PROPERTY VELD23_LAYERS)
    set(sources "")
    foreach(layer ${layers})
        get_property(dir GLOBAL PROPERTY VELD23_LAYER_DIR_${layer})
        file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src
             ${PROJECT_SOURCE_DIR}/src/${dir}/*.h)
        foreach(header ${headers})
            string(MAKE_C_IDENTIFIER ${header} stem)
            set(source ${CMAKE_CURRENT_BINARY_DIR}/header_check/${stem}.cpp)
            file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
            list(APPEND sources ${source})
        endforeach()
    endforeach()
    add_library(veld23_header_check OBJECT ${sources})
    target_link_libraries(veld23_header_check PRIVATE ${layers})
    veld23_warnings(veld23_header_check)
    target_compile_options(veld23_header_check PRIVATE -O0 -g0)
endfunction()

# One CTest check that every `#include "layer/..."` in src/ and tests/ follows the
# layer rules above; call after every layer is defined.
function(veld23_layer_include_check)
    get_property(rules GLOBAL PROPERTY VELD23_LAYER_RULES)
    list(JOIN rules "|" rule_list)
    add_test(NAME LayerIncludes
             COMMAND ${CMAKE_COMMAND} "-DROOT=${PROJECT_SOURCE_DIR}" "-DRULES=${rule_list}"
                     -P ${PROJECT_SOURCE_DIR}/scripts/check-layer-includes.cmake)
endfunction()

# veld23_test_suite(NAME dir LIBS lib...): one test program per layer.
function(veld23_test_suite name dir)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    veld23_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
