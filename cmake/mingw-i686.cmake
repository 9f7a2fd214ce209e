# Cross build of the Windows GUI runtime on Linux:
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
#   cmake --build build/win32        # gives build/win32/pirune.exe
#
# The posix thread model compilers are used because the win32 model lacks std::thread
# and std::mutex in this toolchain. Everything is linked statically so the executable
# runs on a bare Windows or Wine without the MinGW runtime DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PIRUNE_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PIRUNE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIRUNE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PIRUNE_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW sysroot only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${PIRUNE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also pulls in libwinpthread statically, which the posix model needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Executables land at the top of the build folder (build/win32/pirune.exe), where the
# Wine harness and developers look for them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
