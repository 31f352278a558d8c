# Compiler and linker settings shared by every target of ours (not by GoogleTest).
add_library(varnel_options INTERFACE)
target_compile_features(varnel_options INTERFACE cxx_std_17)
target_compile_options(varnel_options INTERFACE
  -Wall -Wextra
  # Sources are UTF-8; the program's texts are code page 932 bytes.
  $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=CP932>)
target_compile_definitions(varnel_options INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601
  $<$<BOOL:${VARNEL_ASSERTIONS}>:_GLIBCXX_ASSERTIONS>)
target_include_directories(varnel_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

# One .exe without DLLs of ours: the C++ runtime and winpthreads are linked in.
set(VARNEL_STATIC_LINK -static -static-libgcc -static-libstdc++)
target_link_options(varnel_options INTERFACE ${VARNEL_STATIC_LINK})

# Test executables run under Wine; scripts/wine-exec picks the loader and keeps Wine quiet.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-exec)
endif()
