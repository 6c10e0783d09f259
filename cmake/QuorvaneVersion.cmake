# The version is written once, in project() of the top CMakeLists.txt. From it
# comes the one version resource template that every Windows program includes.

# Four numbers for the resource's binary fields; the parts project() leaves out are 0.
set(QUORVANE_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  list(APPEND QUORVANE_VERSION_NUMBERS ${number})
endforeach()
list(JOIN QUORVANE_VERSION_NUMBERS "," QUORVANE_VERSION_NUMBERS)

set(QUORVANE_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_info.rc.in ${QUORVANE_GENERATED_DIR}/version_info.rc @ONLY)

# Adds a program's .rc file, which defines its texts and includes version_info.rc.
function(quorvane_resources target rc_file)
  target_sources(${target} PRIVATE ${rc_file})
  target_include_directories(${target} PRIVATE ${QUORVANE_GENERATED_DIR})
  # windres reports no included files, so a new version would not rebuild the resources.
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS ${QUORVANE_GENERATED_DIR}/version_info.rc)
endfunction()
