# Run by cpack after it has staged the installation and before it makes the
# .deb: lays the staged tree out as Debian expects (the copyright file in its
# machine-readable format, the changelog and manual page compressed) and works
# out the Depends field from the libraries the program links.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(stage "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${stage}/${CPACK_VELMORA_DOCDIR}")
set(man6 "${stage}/${CPACK_VELMORA_MANDIR}/man6")
set(deb_dir "${CPACK_VELMORA_SOURCE_DIR}/packaging/deb")

# Best compression, and neither the file's name nor its time in the header.
function(gzip_into from to)
  execute_process(COMMAND gzip -9n -c "${from}" OUTPUT_FILE "${to}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${from} failed")
  endif()
  file(CHMOD "${to}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

gzip_into("${man6}/velmora.6" "${man6}/velmora.6.gz")
file(REMOVE "${man6}/velmora.6")
gzip_into("${deb_dir}/changelog" "${doc}/changelog.gz")

# The copyright file holds the licence itself; a second copy would only be
# one more to keep true.
file(READ "${doc}/LICENSE" licence)
file(REMOVE "${doc}/LICENSE")
string(FIND "${licence}" "Permission is hereby granted" text_at)
if(NOT licence MATCHES "\nCopyright \\(c\\) ([^\n]+)\n" OR text_at EQUAL -1)
  message(FATAL_ERROR "LICENSE has no copyright line or no permission text to put in the copyright file")
endif()
set(VELMORA_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "${CMAKE_MATCH_0}" copyright_at)
string(LENGTH "${CMAKE_MATCH_0}" copyright_length)
math(EXPR scope_at "${copyright_at} + ${copyright_length}")
math(EXPR scope_length "${text_at} - ${scope_at}")
string(SUBSTRING "${licence}" ${scope_at} ${scope_length} scope)
string(SUBSTRING "${licence}" ${text_at} -1 text)

# A field's continuation lines start with a space; an empty line is " .".
function(as_field_lines text out)
  string(STRIP "${text}" text)
  string(REPLACE "\n" "\n " text " ${text}")
  string(REGEX REPLACE "\n \n" "\n .\n" text "${text}")
  string(REGEX REPLACE "\n \n" "\n .\n" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
string(STRIP "${scope}" scope)
if(scope)
  as_field_lines("${scope}" scope)
  set(VELMORA_LICENCE_COMMENT "\nComment:\n${scope}")
endif()
as_field_lines("${text}" VELMORA_LICENCE_TEXT)
file(READ "${deb_dir}/copyright.in" copyright)
string(CONFIGURE "${copyright}" copyright @ONLY)
file(WRITE "${doc}/copyright" "${copyright}")

# Debian keeps games' programs in games/. A build that put it in bin/
# packages all the same: the program finds its data relative to itself,
# ../share/velmora from either. Stripped here rather than by
# CPACK_STRIP_FILES, which leaves the compiler's notes in.
if(CPACK_VELMORA_BINDIR STREQUAL "bin")
  file(RENAME "${stage}/bin" "${stage}/games")
elseif(NOT CPACK_VELMORA_BINDIR STREQUAL "games")
  message(FATAL_ERROR "the package's program goes to /usr/games: configure with CMAKE_INSTALL_BINDIR bin or games")
endif()
file(GLOB programs "${stage}/games/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_VELMORA_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not strip ${program}")
  endif()
endforeach()

# Depends: the packages of the libraries the programs link, then what is
# opened at run time (CPACK_DEBIAN_PACKAGE_DEPENDS). dpkg-shlibdeps wants a
# debian/control where it runs, even an empty one, and a DEBIAN directory at
# the root of the tree it reads.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/debian/control" "")
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/DEBIAN")
execute_process(COMMAND dpkg-shlibdeps -O ${programs}
                WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE found RESULT_VARIABLE failed)
file(REMOVE_RECURSE "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/DEBIAN")
if(failed OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies for ${programs}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
