# The one version number, from project() in CMakeLists.txt, as a header every program
# and the windows include: link veld23_version and include "ProgramVersion.h".
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProgramVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/ProgramVersion.h @ONLY)
add_library(veld23_version INTERFACE)
target_include_directories(veld23_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
