# Boost is used header-only (Regex, and Beast/Asio for the stand-in service).
# A cross build must not put the host's /usr/include on its include path, so the
# Boost headers are reached through a folder that holds only a link to them.
find_path(QUORVANE_BOOST_HEADERS boost/regex.hpp
  HINTS ${BOOST_ROOT} $ENV{BOOST_ROOT} /usr/include
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUORVANE_BOOST_HEADERS)
  message(FATAL_ERROR "Boost headers not found: install libboost1.81-dev or pass -DBOOST_ROOT=...")
endif()

set(boost_include ${QUORVANE_BOOST_HEADERS})
if(CMAKE_CROSSCOMPILING AND QUORVANE_BOOST_HEADERS STREQUAL "/usr/include")
  set(boost_include ${CMAKE_BINARY_DIR}/boost-headers)
  file(MAKE_DIRECTORY ${boost_include})
  file(CREATE_LINK /usr/include/boost ${boost_include}/boost SYMBOLIC)
endif()

add_library(quorvane_boost INTERFACE)
target_include_directories(quorvane_boost SYSTEM INTERFACE ${boost_include})
# The same regex traits on every platform: the classic C++ locale, never the
# Windows user locale, so case-insensitive matching folds ASCII letters only.
target_compile_definitions(quorvane_boost INTERFACE BOOST_REGEX_USE_CPP_LOCALE BOOST_REGEX_NO_W32)
