# The Debian packages, made with `cpack -G DEB` in the native build (scripts/package-test
# builds, checks and installs them). Every install() rule names the component of its package:
#
#   component  package         holds
#   config     vantrel-config  the program, its desktop entry, icons, AppStream data, manual page
#   ctl        vantrel-config  the command-line tool beside it
#   devsim     vantrel-devsim  the simulated receiver and its manual page
set(vantrel_package_components config ctl devsim)

list(JOIN vantrel_package_components ", " vantrel_package_component_names)
get_cmake_property(vantrel_installed_components COMPONENTS)
foreach(component IN LISTS vantrel_installed_components)
  if(NOT component IN_LIST vantrel_package_components)
    message(WARNING "The install component '${component}' belongs to no Debian package: give "
                    "its install() rules one of: ${vantrel_package_component_names} "
                    "(cmake/DebianPackage.cmake)")
  endif()
endforeach()

# The documents Debian expects of every package, in share/doc/PACKAGE.
vantrel_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog vantrel_debian_changelog)
foreach(package config devsim)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${vantrel_debian_changelog}
          DESTINATION share/doc/vantrel-${package} COMPONENT ${package})
endforeach()
# The messages the device's users know, kept word for word, misspellings included.
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/vantrel-config.lintian-overrides
        DESTINATION share/lintian/overrides RENAME vantrel-config COMPONENT config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "Vantrel maintainers <maintainers@vantrel.example>")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENT_CONFIG_GROUP config)
set(CPACK_COMPONENT_CTL_GROUP config)
set(CPACK_COMPONENT_DEVSIM_GROUP devsim)

# A native package: the version has no Debian revision, and the changelog is changelog.gz.
set(CPACK_DEBIAN_PACKAGE_SOURCE vantrel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_CONFIG_PACKAGE_NAME vantrel-config)
set(CPACK_DEBIAN_CONFIG_PACKAGE_SECTION utils)
# The pages' text asks for Arial, which fontconfig gives as Liberation Sans.
set(CPACK_DEBIAN_CONFIG_PACKAGE_DEPENDS fonts-liberation)
# With no receiver driver on Linux, the simulated receiver is the one the program can reach.
set(CPACK_DEBIAN_CONFIG_PACKAGE_RECOMMENDS vantrel-devsim)
set(CPACK_DEBIAN_CONFIG_DESCRIPTION
    "configuration tool of the Vantrel gaming device
The Vantrel Setup Utility sets what the Vantrel, a gaming mouse with a
one-handed controller and a USB receiver, does: the keyboard key or two-key
combination that each of its 18 buttons sends on a PC, and the controller
button that each of its 14 keys produces on an XBox 360, with the key
sensitivity and the rapid-fire speed. Key maps can be kept in profile files.
Both pages show a live mouse pad quality gauge.")

set(CPACK_DEBIAN_DEVSIM_PACKAGE_NAME vantrel-devsim)
set(CPACK_DEBIAN_DEVSIM_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DEVSIM_DESCRIPTION
    "simulated receiver of the Vantrel gaming device
vantrel-devsim stands where the Vantrel's USB receiver, its driver and the
device's firmware would, so that the Vantrel Setup Utility can be run and
tested without the device. It keeps a settings memory across restarts, sends
input reports with a mouse pad quality, can be plugged and unplugged from the
command line, injects faults on command and writes a trace of the requests it
answers.")

include(CPack)
