# Shared compile settings for every project target, carried by one INTERFACE target.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_library(orbitune_settings INTERFACE)
target_compile_features(orbitune_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(orbitune_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)

# Warnings are errors where the project is developed and checked (the dev and
# fuzz presets, which CI builds), not in the release build users make: another
# compiler's false positive must not keep anyone from building the editor.
option(ORBITUNE_WERROR "Treat compiler warnings as errors" OFF)
if(ORBITUNE_WERROR)
  target_compile_options(orbitune_settings INTERFACE -Werror)
endif()

if(ORBITUNE_SANITIZE)
  target_compile_options(orbitune_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(orbitune_settings INTERFACE -fsanitize=address,undefined)
endif()

# A fuzz run stops at the first report of either sanitizer, as the dev build's
# tests do: undefined behaviour fails the run instead of scrolling past.
if(ORBITUNE_FUZZ)
  target_compile_options(orbitune_settings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(orbitune_settings INTERFACE -fsanitize=address,undefined)
endif()
