# The one place that decides how the default catalogue reaches a program
# directory: copied to ZIEL from QUELLE unless a catalogue is there already,
# which holds the user's own kinds and stays untouched. Run for a build
# (cmake -P, after every link) and for an installation (InstallCatalogue.cmake,
# with DESTDIR in ZIEL). MELDEN set: say what was done, as install steps do.
if(NOT EXISTS "${ZIEL}")
  if(MELDEN)
    message(STATUS "Installing: ${ZIEL}")
  endif()
  configure_file("${QUELLE}" "${ZIEL}" COPYONLY)
elseif(MELDEN)
  message(STATUS "Keeping existing catalogue: ${ZIEL}")
endif()
