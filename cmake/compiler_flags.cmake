# Compiler flags, guarded per compiler so that MSVC configures the same project.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
    # GCC 12 at -O3 reports std::string concatenation as overlapping memcpy
    # (a known false positive); keep it a warning there.
    add_compile_options(-Wno-error=restrict)
  endif()
  if(QMQN_FUZZ)
    # Coverage for libFuzzer in every library the targets link. Without what
    # depends on addresses, which change from one start to the next: the
    # dynamic type check's cache (it branches on vtable addresses) and the
    # stack depth feature (frames realigned for the redzones). So one input
    # always reaches the same features; the native tests keep the type check.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=vptr
                        -fno-sanitize-coverage=stack-depth -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(QMQN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(MINGW)
    # No MinGW runtime DLL ships with the package: libgcc, libstdc++ and the
    # posix-thread runtime (winpthread) are linked in.
    add_link_options(-static)
    # The symbol tables are most of a statically linked binary; only builds
    # meant for a debugger keep them.
    add_link_options($<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-s>)
    # Same bytes from the same source anywhere: no link time in the PE
    # header, no build folder in the binaries (__FILE__, debug info).
    add_link_options(-Wl,--no-insert-timestamp)
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                        "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
  endif()
elseif(MSVC)
  add_compile_options(/W4 /utf-8 /permissive-)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
  # Deterministic objects and PE headers (no time stamps).
  add_compile_options(/Brepro)
  add_link_options(/Brepro)
endif()
