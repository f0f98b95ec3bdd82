# Debian's build flags, as the Debian package is built with them: fortified
# functions, the stack protector, full RELRO and immediate binding
# (dpkg-buildflags with hardening=+all), and source paths written relative
# to the source folder. The build type keeps choosing the optimisation level
# (Debian's -O2 and -g are left out). scripts/build.sh test turns it on;
# scripts/check_package.sh checks the programs for it.
option(TESSALY_DEBIAN_BUILD_FLAGS "Compile and link with Debian's build flags (dpkg-buildflags), as the package is built" OFF)

if(TESSALY_DEBIAN_BUILD_FLAGS)
  find_program(TESSALY_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run from the source folder: its path is the one the file-prefix map
    # takes out of the programs.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${TESSALY_DPKG_BUILDFLAGS} --get ${_kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE _flags
      OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(_flags UNIX_COMMAND "${_flags}")
    list(FILTER _flags EXCLUDE REGEX "^-O[0-9sgz]?$|^-g$")
    set(_debian_${_kind} ${_flags})
  endforeach()
  add_compile_options(${_debian_CPPFLAGS} ${_debian_CXXFLAGS})
  add_link_options(${_debian_LDFLAGS})
  message(STATUS "Debian build flags: ${_debian_CPPFLAGS} ${_debian_CXXFLAGS} | ${_debian_LDFLAGS}")
endif()
