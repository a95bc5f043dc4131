# One INTERFACE target carries the compile settings of every target of the project.
add_library(velmora_compile_settings INTERFACE)
target_compile_features(velmora_compile_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)

target_compile_options(velmora_compile_settings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wimplicit-fallthrough
  -Wformat=2 -Wmissing-declarations
  $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wlogical-op>
)

if(VELMORA_SANITIZE)
  target_compile_options(velmora_compile_settings INTERFACE
    -fsanitize=${VELMORA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(velmora_compile_settings INTERFACE -fsanitize=${VELMORA_SANITIZE})
endif()

# Debug information stays, compressed: some fifty test programs each link most of the program,
# and uncompressed their debug sections fill a small build machine's disk.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -gz)
check_cxx_source_compiles("int main() { return 0; }" VELMORA_COMPRESSES_DEBUG_INFO)
unset(CMAKE_REQUIRED_FLAGS)
if(VELMORA_COMPRESSES_DEBUG_INFO)
  target_compile_options(velmora_compile_settings INTERFACE -gz)
  target_link_options(velmora_compile_settings INTERFACE -gz)
endif()
