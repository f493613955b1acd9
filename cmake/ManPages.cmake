# orbitune_man_page(TARGET NAME "one line" COMPONENT c [SUBCOMMANDS] [SEE_ALSO a,b])
# Builds TARGET's manual page from its own --help and --version (see
# make_man_page.cmake) whenever the program changes, and installs it in
# share/man/man1 with COMPONENT.
find_program(HELP2MAN help2man REQUIRED)
function(orbitune_man_page target)
  cmake_parse_arguments(ARG "SUBCOMMANDS" "NAME;COMPONENT;SEE_ALSO" "" ${ARGN})
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1.gz)
  set(extra)
  if(ARG_SUBCOMMANDS)
    list(APPEND extra -DSUBCOMMANDS=ON)
  endif()
  if(ARG_SEE_ALSO)
    list(APPEND extra "-DSEE_ALSO=${ARG_SEE_ALSO}")
  endif()
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> "-DNAME=${ARG_NAME}" -DOUTPUT=${page} ${extra}
            -P ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man_page ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${ARG_COMPONENT})
endfunction()
