# The version of project() reaches the code through one generated header,
# <velmora/version.h>, in the build tree's generated/ folder; only the code that prints the
# version sees it, so a new version rebuilds only that.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
  ${PROJECT_BINARY_DIR}/generated/velmora/version.h @ONLY)
foreach(target velmora velmora_cli_lib)
  if(TARGET ${target})
    target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated)
  endif()
endforeach()
