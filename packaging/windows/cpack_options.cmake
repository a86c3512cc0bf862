# Read by cpack for each package: the installer's file name beside the zip's, and the zip
# unpacking into a folder of its own rather than into the player's Downloads.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
else()
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
