# Fails when an `#include "layer/..."` in src/ or tests/ reaches a layer that is not
# below the including file's own layer. Run by CTest as LayerIncludes:
#   cmake -DROOT=<source dir> -DRULES=<dir:dep,dep|dir:dep|...> -P check-layer-includes.cmake
# RULES comes from the veld23_layer() calls (cmake/Layers.cmake), bottom layer first, so
# the layer order is written only there. A file belongs to the layer whose folder holds
# it directly (src/editors/X.cpp and tests/editors/XTest.cpp belong to editors); the
# programs (src/app, src/tools/...) and test helpers in other folders sit above all
# layers, and no layer may include them.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" rules "${RULES}")
set(layers "")
foreach(rule IN LISTS rules)
    if(NOT rule MATCHES "^([^:]+):(.*)$")
        message(FATAL_ERROR "Malformed layer rule '${rule}'")
    endif()
    set(layer "${CMAKE_MATCH_1}")
    string(REPLACE "," ";" deps "${CMAKE_MATCH_2}")
    # Every dependency is defined earlier, so its own closure is complete already.
    set(below_${layer} "")
    foreach(dep IN LISTS deps)
        list(APPEND below_${layer} ${dep} ${below_${dep}})
    endforeach()
    list(REMOVE_DUPLICATES below_${layer})
    list(APPEND layers "${layer}")
endforeach()

file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/src/*.h" "${ROOT}/src/*.cpp"
     "${ROOT}/tests/*.h" "${ROOT}/tests/*.cpp")
set(violations 0)
set(checked 0)
foreach(file IN LISTS files)
    get_filename_component(folder "${file}" DIRECTORY)
    string(REGEX REPLACE "^(src|tests)/" "" own "${folder}")
    if(NOT own IN_LIST layers)
        continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        get_filename_component(target "${header}" DIRECTORY)
        if(target STREQUAL "" OR target STREQUAL own OR target IN_LIST below_${own})
            continue()
        endif()
        if(target IN_LIST layers)
            message(SEND_ERROR "${file}: includes ${header}, but ${target} is not below ${own}")
            math(EXPR violations "${violations} + 1")
        elseif(IS_DIRECTORY "${ROOT}/src/${target}")
            message(SEND_ERROR "${file}: includes ${header} from a program, above every layer")
            math(EXPR violations "${violations} + 1")
        endif()
    endforeach()
endforeach()

if(violations GREATER 0)
    message(FATAL_ERROR "${violations} include(s) against the layer order")
endif()
message(STATUS "Layer includes: ${checked} files follow the order")
