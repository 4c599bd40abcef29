# SPDX-License-Identifier: MIT
# Fails unless the newest entry of debian/changelog carries the project's version.
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)]+)\\)" found "${first}")
set(changelog_version "${CMAKE_MATCH_1}")
if(NOT changelog_version STREQUAL VERSION)
    message(FATAL_ERROR "CMake says ${VERSION}, debian/changelog says ${changelog_version}")
endif()
message(STATUS "version ${VERSION} in both")
