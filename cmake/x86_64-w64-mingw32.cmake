# Cross-compiles for 64-bit Windows. Retrove 98 ships as a 32-bit program; tools/test builds this too where
# the machine runs 32-bit x86 programs only through an emulator, to run the windows' tests natively under
# 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RETROVE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
