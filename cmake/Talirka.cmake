# Every src folder is one static library made of all its sources, so that adding a file never
# means editing a shared list.
function(talirka_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    add_library(talirka_${name} INTERFACE)
    target_link_libraries(talirka_${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(talirka_${name} STATIC ${srcs})
  target_include_directories(talirka_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(talirka_${name} PUBLIC ${ARG_DEPENDS})
  target_compile_options(talirka_${name} PRIVATE -Wall -Wextra)
endfunction()

# One test program per tests folder; every TEST becomes its own ctest entry labelled by folder.
function(talirka_tests name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  add_executable(test_${name} ${srcs})
  target_link_libraries(test_${name} PRIVATE talirka_test_support ${ARG_DEPENDS})
  gtest_discover_tests(test_${name}
    PROPERTIES LABELS ${name} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
