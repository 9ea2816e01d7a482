# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags in release builds, as dpkg-buildflags
# gives them with every hardening feature on: stack protector, fortified
# libc calls, format checks, full RELRO with immediate binding (bindnow).
# Left out: the sanitizer and fuzz builds (their own instrumentation) and
# machines without dpkg-buildflags. -ffile-prefix-map is dropped: it only
# makes builds reproducible and would tie every object to this folder's path.
option(VELMORA_HARDENING "Release builds use the hardening flags of dpkg-buildflags" ON)

if(NOT VELMORA_HARDENING OR VELMORA_SANITIZE OR VELMORA_FUZZ
   OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: no hardening flags")
  return()
endif()

function(velmora_buildflags variable result)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${variable}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # Optimisation and debug information stay the build type's own.
  list(FILTER flags EXCLUDE REGEX "^-(O[0-9s]?|g|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

velmora_buildflags(CPPFLAGS cppflags)
velmora_buildflags(CXXFLAGS cxxflags)
velmora_buildflags(LDFLAGS ldflags)
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})
# For targets that set their own options (the gpsim module).
set(VELMORA_HARDENING_COMPILE_OPTIONS ${cppflags} ${cxxflags})
set(VELMORA_HARDENING_LINK_OPTIONS ${ldflags})
message(STATUS "Hardening flags: ${cppflags} ${cxxflags} ${ldflags}")
