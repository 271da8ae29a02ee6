# Helpers shared by the project's CMake files.

# A stand-in library: one shared library per folder, sources globbed so that
# new files join without touching the build files.
function(vortana_standin name)
  cmake_parse_arguments(A "" "" "LINK;PRIVATE_LINK" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} SHARED ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LINK} PRIVATE ${A_PRIVATE_LINK})
endfunction()

# A module loaded at run time by file name (Junctor.arx, QvTranslatorDll.dll ...).
# Only the listed symbols are exported (each must exist); everything else binds inside the module,
# so two modules that carry the same static code never see each other's copy.
function(vortana_module target filename)
  cmake_parse_arguments(A "" "" "EXPORTS;CXX_EXPORTS;PULL;SOURCES;LINK" ${ARGN})
  if(NOT A_SOURCES)
    # A module made only of libraries still needs one source of its own.
    set(_empty ${CMAKE_CURRENT_BINARY_DIR}/${target}_module.cpp)
    file(WRITE ${_empty} "// module made of its libraries\n")
    set(A_SOURCES ${_empty})
  endif()
  add_library(${target} MODULE ${A_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX "" OUTPUT_NAME ${filename})
  set(_map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  set(_syms "")
  set(_pull "")
  foreach(s ${A_EXPORTS})
    string(APPEND _syms "    ${s};\n")
    # Pulls the library member that defines an export (a pattern pulls
    # nothing: name one of its symbols under PULL).
    if(NOT s MATCHES "[*]")
      list(APPEND _pull "-Wl,--undefined=${s}")
    endif()
  endforeach()
  # PULL: further symbols whose library members belong in the module.
  foreach(s ${A_PULL})
    list(APPEND _pull "-Wl,--undefined=${s}")
  endforeach()
  # CXX_EXPORTS: C++ names (patterns), exported by their demangled form.
  if(A_CXX_EXPORTS)
    string(APPEND _syms "    extern \"C++\" {\n")
    foreach(s ${A_CXX_EXPORTS})
      string(APPEND _syms "      ${s};\n")
    endforeach()
    string(APPEND _syms "    };\n")
  endif()
  file(WRITE ${_map} "{\n  global:\n${_syms}  local: *;\n};\n")
  target_link_options(${target} PRIVATE "-Wl,--version-script=${_map}" "-Wl,-Bsymbolic" "-Wl,--no-undefined"
                      ${_pull})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${_map})
  target_link_libraries(${target} PRIVATE ${A_LINK})
endfunction()

# A static library of every .cpp in a folder; a folder with none yet gives an
# interface library with the same name, so the build files need not change.
function(vortana_folder_library name dir)
  cmake_parse_arguments(A "" "" "LINK" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(_src)
    add_library(${name} STATIC ${_src})
    target_include_directories(${name} PUBLIC ${dir})
    target_link_libraries(${name} PUBLIC ${A_LINK})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${dir})
    target_link_libraries(${name} INTERFACE ${A_LINK})
  endif()
endfunction()

# The host program and the benchmarks that stand where it would allocate with
# mimalloc: a drawing holds hundreds of thousands of small objects, which the
# C library's allocator frees several times slower. The sanitizer build keeps
# the sanitizers' own allocator.
if(NOT VORTANA_SANITIZE)
  find_package(mimalloc 2 CONFIG REQUIRED)
endif()
function(vortana_allocator target)
  if(NOT VORTANA_SANITIZE)
    # Linked ahead of the C library so that its allocation calls are the ones
    # every library of the process binds to.
    target_link_options(${target} PRIVATE "LINKER:--push-state,--no-as-needed")
    target_link_libraries(${target} PRIVATE mimalloc)
    target_link_options(${target} PRIVATE "LINKER:--pop-state")
    # Large OS pages for the drawing's memory.
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/host/LargePages.cpp)
  endif()
endfunction()
