# x86_64 Windows with Debian's mingw-w64 (posix threads, for std::thread) against the
# static libraries that scripts/windows/build-libs.sh puts into WIN_PREFIX.
# Tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# Windows 7 and later.
set(CMAKE_SYSTEM_VERSION 6.1)

if(NOT WIN_PREFIX)
    set(WIN_PREFIX "$ENV{WIN_PREFIX}")
endif()
set(WIN_PREFIX "${WIN_PREFIX}" CACHE PATH "the static Windows libraries")
# try_compile projects see the toolchain file again, without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WIN_PREFIX)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH ${WIN_PREFIX} /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Only static archives: a find_library must never settle on an import library.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# pkg-config answers for the prefix only, never for the build machine.
set(ENV{PKG_CONFIG_LIBDIR} "${WIN_PREFIX}/lib/pkgconfig:${WIN_PREFIX}/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(wxWidgets_CONFIG_EXECUTABLE ${WIN_PREFIX}/bin/wx-config CACHE FILEPATH "")
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "")

# Everything in the prefix is a static library: their headers must not ask for
# dllimport, and what they call in Windows comes last on every link line (libcurl
# with Schannel and zlib after libcurl, libpng and libxml2).
set(CMAKE_C_FLAGS_INIT "-DCURL_STATICLIB -DLIBXML_STATIC")
set(CMAKE_CXX_FLAGS_INIT "-DCURL_STATICLIB -DLIBXML_STATIC")
# These replace CMake's own list for MinGW, which follows.
set(WIN_SYSTEM_LIBRARIES "-lz -lbcrypt -lcrypt32 -lsecur32 -lws2_32 -lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32")
set(CMAKE_C_STANDARD_LIBRARIES "${WIN_SYSTEM_LIBRARIES}" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "${WIN_SYSTEM_LIBRARIES}" CACHE STRING "")
# One self-contained exe: no libstdc++, libgcc or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -L${WIN_PREFIX}/lib")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
