# Shared build helpers.

if(WIN32)
  set(VELTO_SANITIZE_HOST OFF)
else()
  set(VELTO_SANITIZE_HOST ${VELTO_SANITIZE})
endif()
set(VELTO_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# Warnings are errors in our own code.
function(velto_own_code target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Everything the player shows or stores is Windows-1252: literals become CP1252 bytes.
function(velto_cp1252 target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP1252)
endfunction()

function(velto_sanitize target)
  target_compile_options(${target} PRIVATE ${VELTO_SAN_FLAGS})
  target_link_options(${target} PRIVATE ${VELTO_SAN_FLAGS})
endfunction()

# A quiz executable is one file.
function(velto_static_runtime target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# The player's code is compiled and linked with the win32-thread variant of the MinGW compiler:
# the posix variant, which GoogleTest needs, links winpthreads into every C++ program, and with
# it imports such as SuspendThread and GetThreadContext. The player uses Win32 threads itself.
function(velto_win32_threads target)
  set(launcher ${PROJECT_SOURCE_DIR}/cmake/win32-threads)
  set_target_properties(${target} PROPERTIES
    CXX_COMPILER_LAUNCHER "${launcher};${CMAKE_CXX_COMPILER_LAUNCHER}"
    CXX_LINKER_LAUNCHER "${launcher}")
endfunction()

# How the shipped executable presents itself to Windows' loader: the whole 4 GB address space
# of a 32-bit process on 64-bit Windows, Windows 7's subsystem version or later, no terminal
# server compatibility shims, and ASLR and DEP as the linker's defaults already give them.
function(velto_player_link target)
  target_link_options(${target} PRIVATE -Wl,--tsaware -Wl,--dynamicbase -Wl,--nxcompat
    -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)  # a 64-bit image is large-address-aware without asking
    target_link_options(${target} PRIVATE -Wl,--large-address-aware)
  endif()
endfunction()

function(velto_core_library name sanitize)
  file(GLOB sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/quizdata/*.cpp
       ${PROJECT_SOURCE_DIR}/evaluation/*.cpp
       ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/media/*.cpp)
  add_library(${name} STATIC ${sources})
  velto_own_code(${name})
  velto_cp1252(${name})
  if(sanitize)
    target_compile_options(${name} PUBLIC ${VELTO_SAN_FLAGS})
    target_link_options(${name} PUBLIC ${VELTO_SAN_FLAGS})
  endif()
endfunction()

# GoogleTest: Debian's package on the host, its sources cross-built for Windows.
if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(VELTO_GTEST gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(VELTO_GTEST GTest::gtest GTest::gtest_main)
endif()

# velto_host_test(NAME sources... [UTF8] [LIBS libs...]): a host unit test executable.
# Literals are Windows-1252 like the player's, or UTF-8 (UTF8) like the authoring tool's.
function(velto_host_test name)
  cmake_parse_arguments(T "UTF8" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE velto_core ${T_LIBS} ${VELTO_GTEST})
  velto_own_code(${name})
  if(NOT T_UTF8)
    velto_cp1252(${name})
  endif()
  target_compile_definitions(${name} PRIVATE VELTO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             VELTO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# velto_win_test(NAME sources... [LIBS libs...]): a Windows test executable run under wine64.
function(velto_win_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  # The player's own resources (dialog templates, icons, cursor) come with every Windows test;
  # a test may add .rc files of its own, which the linker merges.
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${VELTO_PLAYER_RC})
  target_link_libraries(${name} PRIVATE velto_win ${T_LIBS} ${VELTO_GTEST})
  velto_own_code(${name})
  velto_cp1252(${name})
  velto_static_runtime(${name})
  add_test(NAME ${name}
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run $<TARGET_FILE:${name}>
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
