# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's MinGW-w64. Qt needs the posix thread model.
# The Qt prefix is searched as a root of its own, so it is passed through
# MINGW_QT_PREFIX (cache or environment) rather than CMAKE_PREFIX_PATH alone.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT MINGW_QT_PREFIX AND DEFINED ENV{MINGW_QT_PREFIX})
    set(MINGW_QT_PREFIX $ENV{MINGW_QT_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_QT_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${MINGW_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
