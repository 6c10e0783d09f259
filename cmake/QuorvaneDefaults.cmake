# Compiler settings shared by every target of the project.

# Texts in the core are GBK bytes; sources are UTF-8. The stand-in service keeps UTF-8.
# The fuzz build's clang has no GBK execution character set: the folders it
# builds write their non-ASCII literals as GBK escapes, which tools/fuzz.sh checks.
function(quorvane_gbk_literals target)
  if(QUORVANE_FUZZ)
    return()
  endif()
  if(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.936)
  else()
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
  endif()
endfunction()

function(quorvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()

# Sanitizers for the native fast loop; the Windows build never gets them.
set(QUORVANE_SANITIZER_FLAGS "")
if(QUORVANE_FUZZ)
  # libFuzzer's coverage in the libraries; tests/fuzz links the fuzzer itself.
  set(QUORVANE_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                               -fno-omit-frame-pointer)
elseif(QUORVANE_SANITIZE AND NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(QUORVANE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
endif()

function(quorvane_sanitize target)
  if(QUORVANE_SANITIZER_FLAGS)
    target_compile_options(${target} PRIVATE ${QUORVANE_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${QUORVANE_SANITIZER_FLAGS})
  endif()
endfunction()

# One call for a target of the core or the front end.
function(quorvane_target target)
  quorvane_warnings(${target})
  quorvane_gbk_literals(${target})
  quorvane_sanitize(${target})
endfunction()

if(WIN32)
  # Wide-only front end; Windows 7 API level.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  if(MINGW)
    # One self-contained quorvane.exe: no libstdc++, libgcc or winpthread DLL beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
  endif()
endif()
