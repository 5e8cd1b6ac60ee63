# Cross-compiling for Windows with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KEYTIDY_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${KEYTIDY_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEYTIDY_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${KEYTIDY_TRIPLET}-windres)
set(CMAKE_AR           ${KEYTIDY_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       ${KEYTIDY_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Headers and libraries come from the mingw sysroot and our dependency prefix;
# build tools are always the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${KEYTIDY_TRIPLET} ${KEYTIDY_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
