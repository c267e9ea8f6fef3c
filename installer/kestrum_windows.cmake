# Kestrum for Windows: the same registration, written into the registry. A windowless program of
# the GUI subsystem, so that starting it never opens a console window.
add_library(kestrum_core STATIC
    ${KESTRUM_SHARED_SOURCES}
    utf16.h
    utf16.cpp
    registry_store.h
    registry_store.cpp
)
target_include_directories(kestrum_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kestrum_core PRIVATE advapi32)

configure_file(kestrum.rc.in ${CMAKE_CURRENT_BINARY_DIR}/kestrum.rc @ONLY)
add_executable(kestrum WIN32 main_win32.cpp ${CMAKE_CURRENT_BINARY_DIR}/kestrum.rc)
target_link_libraries(kestrum PRIVATE kestrum_core)
set_target_properties(kestrum PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${RUNVOY_BUILD_PROGRAM_DIR})

