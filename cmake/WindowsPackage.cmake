# The one download for Windows users: a zip with the program and a short README, made with
# `cpack -G ZIP` in the cross build.
install(FILES ${PROJECT_SOURCE_DIR}/resources/windows-package/README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
# The download carries the program without its debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME VantrelConfig)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_FILE_NAME "VantrelConfig-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
