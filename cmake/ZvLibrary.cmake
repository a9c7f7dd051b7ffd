# zv_library(<name> [DEPS <targets...>])
# One static library per source folder, made of every .cpp/.h in it.
# A folder that has no sources yet becomes an interface library.
function(zv_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER _sources EXCLUDE REGEX "main\\.cpp$")
  set(_has_cpp FALSE)
  foreach(_s IN LISTS _sources)
    if(_s MATCHES "\\.cpp$")
      set(_has_cpp TRUE)
    endif()
  endforeach()
  if(_has_cpp)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_compile_options(${name} PRIVATE -Wall -Wextra)
    # When the folder's files change, the moc step must run again: its own
    # dependencies do not see a new header, and its list of files would stay stale.
    string(SHA1 _hash "${_sources}")
    if(NOT "${_hash}" STREQUAL "${ZV_SOURCES_HASH_${name}}")
      file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
      set(ZV_SOURCES_HASH_${name} "${_hash}" CACHE INTERNAL "")
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# zv_test(<name> [DEPS <targets...>])
# One GoogleTest executable per tests/ folder; every test runs on Qt's offscreen platform.
function(zv_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_link_libraries(${name} PRIVATE zv_test_support ${ARG_DEPS} GTest::gtest GTest::gmock)
  add_dependencies(${name} zv_databases)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
