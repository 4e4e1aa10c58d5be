# Copies the default catalogue to ZIEL unless a catalogue is there already.
if(NOT EXISTS "${ZIEL}")
  configure_file("${QUELLE}" "${ZIEL}" COPYONLY)
endif()
