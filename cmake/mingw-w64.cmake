# What both mingw-w64 toolchain files share: the POSIX thread model's compilers (GoogleTest needs std::mutex)
# for the triple that the including file sets in RETROVE_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${RETROVE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RETROVE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${RETROVE_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${RETROVE_MINGW_TRIPLE}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${RETROVE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
