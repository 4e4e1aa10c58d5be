# Run by CPack on its staging tree before packing: lintian's overrides belong
# to the package only, not to an install by hand.
set(ordner "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides")
file(MAKE_DIRECTORY "${ordner}")
file(COPY_FILE "${CPACK_PROMILLE_LINTIAN_OVERRIDES}" "${ordner}/promille")
