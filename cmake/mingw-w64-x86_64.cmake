# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which std::thread and Qt need).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DK6QX_QT_PREFIX=<static Qt for Windows> -DQT_HOST_PATH=/usr ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_triplet}-windres)

# Libraries, headers and packages come from the MinGW tree (and the Windows
# Qt, when given), never from the Linux system; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${_triplet})
if(K6QX_QT_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH "${K6QX_QT_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Variables try_compile() projects must see too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES K6QX_QT_PREFIX)
