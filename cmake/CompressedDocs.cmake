# Documentation installed compressed, as Debian keeps it: gzip -9n, without a name or time
# inside, so the same text always makes the same bytes.

# vantrel_gzip(<source> <output-variable>)
# Compresses <source> at build time and sets the variable to the compressed file.
function(vantrel_gzip source result)
  get_filename_component(source ${source} ABSOLUTE)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9n -c ${source} > ${compressed}
                     DEPENDS ${source})
  add_custom_target(gzip_${name} ALL DEPENDS ${compressed})
  set(${result} ${compressed} PARENT_SCOPE)
endfunction()

# vantrel_install_man_page(<page> COMPONENT <component>)
# Installs a roff manual page such as vantrel-devsim.1 into share/man/man1, compressed.
function(vantrel_install_man_page page)
  cmake_parse_arguments(ARG "" "COMPONENT" "" ${ARGN})
  if(NOT ARG_COMPONENT)
    message(FATAL_ERROR "vantrel_install_man_page(${page}) needs a COMPONENT")
  endif()
  vantrel_gzip(${page} compressed)
  string(REGEX MATCH "[^.]+$" section ${page})
  install(FILES ${compressed} DESTINATION share/man/man${section} COMPONENT ${ARG_COMPONENT})
endfunction()
