# The application bundle's Info.plist, from LumettaInfo.plist.in. The project
# renders it at configure time on every platform: the Mac build puts it in
# Lumetta.app, and on Linux the packaging checks read it. Run as a script, it
# renders one from the values given:
#
#   cmake -DOUTPUT=Info.plist -DVERSION=0.1.0 -DBUILD_NUMBER=42 \
#         -DIDENTIFIER=dev.lumetta.Lumetta -DMINIMUM_SYSTEM=13.0 -P cmake/info_plist.cmake
#
# VERSION is the bundle's short version (the project's version), BUILD_NUMBER
# its CFBundleVersion: a whole number that grows with every release build (0
# for a local one). The copyright line is LICENSE's, with "(c)" as "©".

set(lumetta_info_plist_dir ${CMAKE_CURRENT_LIST_DIR})

function(lumetta_render_info_plist output version build_number identifier minimum_system)
  if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "Info.plist: the version \"${version}\" is not MAJOR.MINOR.PATCH")
  endif()
  if(NOT build_number MATCHES "^(0|[1-9][0-9]*)$")
    message(FATAL_ERROR "Info.plist: the build number \"${build_number}\" is not a whole number")
  endif()
  if(NOT identifier MATCHES "^[A-Za-z0-9.-]+$")
    message(FATAL_ERROR "Info.plist: the bundle identifier \"${identifier}\" is not one")
  endif()
  file(STRINGS ${lumetta_info_plist_dir}/../LICENSE copyright REGEX "^Copyright \\(c\\) "
       LIMIT_COUNT 1)
  if(NOT copyright)
    message(FATAL_ERROR "Info.plist: LICENSE has no \"Copyright (c) \" line")
  endif()
  string(REPLACE "(c)" "©" copyright "${copyright}")
  configure_file(${lumetta_info_plist_dir}/LumettaInfo.plist.in ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(value OUTPUT VERSION BUILD_NUMBER IDENTIFIER MINIMUM_SYSTEM)
    if(NOT DEFINED ${value})
      message(FATAL_ERROR "Info.plist: -D${value}=... is missing")
    endif()
  endforeach()
  lumetta_render_info_plist(${OUTPUT} ${VERSION} ${BUILD_NUMBER} ${IDENTIFIER} ${MINIMUM_SYSTEM})
endif()
