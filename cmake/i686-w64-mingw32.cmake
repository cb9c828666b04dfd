# Cross-compiles for 32-bit Windows with mingw-w64's POSIX thread model (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RETROVE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
