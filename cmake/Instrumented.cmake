# Instrumented builds: sanitizers for the whole program and its tests,
# coverage-guided fuzzing of the engine, and the warnings. Included before any target is made,
# so every library, program and test of such a build gets the same flags.

option(PROMILLE_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PROMILLE_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)
option(PROMILLE_BENCH "Build the benchmarks in bench/" OFF)

if(PROMILLE_SANITIZE OR PROMILLE_FUZZ)
  # Every finding ends the run: a report that scrolls past in the log of a
  # passing test is no finding at all. Frame pointers keep the reports'
  # stacks whole.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PROMILLE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PROMILLE_FUZZ needs clang for libFuzzer: "
                        "configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage feedback from everything; only the fuzz programs get libFuzzer's
  # main (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings for every build; as errors only where asked (CI), so that a newer
# compiler with new warnings cannot break a user's build.
option(PROMILLE_WERROR "Treat compiler warnings as errors" OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wshadow)
  if(PROMILLE_WERROR)
    add_compile_options(-Werror)
  endif()
endif()
