# Installs the build into a fresh prefix and checks what a desktop needs:
# the program with its catalogue in lib/promille, the command bin/promille a
# relative link to it and no data beside it, a valid desktop entry naming the
# command, the icon in the hicolor theme and the manual page. A second install must keep a
# catalogue that the user has changed. The AppStream metadata must pass
# appstreamcli's strictest check, and an install staged under DESTDIR must
# put everything under DESTDIR once, naming the final place in the entry.
#   BAU       the build directory
#   ZIEL      the prefix to install into (emptied first)
#   PRUEFER   desktop-file-validate
#   APPSTREAM appstreamcli
#   KATALOG   the shipped catalogue

function(fehler text)
  message(FATAL_ERROR "installation: ${text}")
endfunction()

file(REMOVE_RECURSE "${ZIEL}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BAU}" --prefix "${ZIEL}"
                RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(NOT ergebnis EQUAL 0)
  fehler("cmake --install failed:\n${ausgabe}")
endif()

set(programm "${ZIEL}/bin/promille")
set(katalog "${ZIEL}/lib/promille/AlkoholSorten.txt")
set(eintrag "${ZIEL}/share/applications/promille.desktop")
set(metainfo "${ZIEL}/share/metainfo/de.kavorin.promilleberechnung.metainfo.xml")
foreach(datei "${programm}" "${katalog}" "${eintrag}" "${metainfo}"
              "${ZIEL}/share/icons/hicolor/scalable/apps/promille.svg"
              "${ZIEL}/share/man/man1/promille.1.gz" "${ZIEL}/share/doc/promille/copyright")
  if(NOT EXISTS "${datei}")
    fehler("missing ${datei}")
  endif()
endforeach()
file(READ_SYMLINK "${programm}" verweis)
file(GLOB inBin RELATIVE "${ZIEL}/bin" "${ZIEL}/bin/*")
if(NOT verweis STREQUAL "../lib/promille/promille" OR NOT inBin STREQUAL "promille")
  fehler("bin/ holds '${inBin}', the command links to '${verweis}'")
endif()
foreach(g 16 24 32 48 64 128 256)
  set(symbol "${ZIEL}/share/icons/hicolor/${g}x${g}/apps/promille.png")
  if(NOT EXISTS "${symbol}")
    fehler("missing ${symbol}")
  endif()
  # The file in a size's folder must be a PNG of that size: width and height
  # stand big-endian at bytes 16 and 20.
  file(READ "${symbol}" kopf LIMIT 24 HEX)
  string(SUBSTRING "${kopf}" 32 8 breite)
  string(SUBSTRING "${kopf}" 40 8 hoehe)
  math(EXPR breite "0x${breite}")
  math(EXPR hoehe "0x${hoehe}")
  if(NOT breite EQUAL g OR NOT hoehe EQUAL g)
    fehler("${symbol} is ${breite}x${hoehe}, not ${g}x${g}")
  endif()
endforeach()

file(SHA256 "${katalog}" ist)
file(SHA256 "${KATALOG}" soll)
if(NOT ist STREQUAL soll)
  fehler("the installed catalogue is not the shipped one")
endif()

execute_process(COMMAND "${PRUEFER}" "${eintrag}" RESULT_VARIABLE ergebnis
                OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(NOT ergebnis EQUAL 0 OR NOT ausgabe STREQUAL "")
  fehler("desktop-file-validate objects to ${eintrag}:\n${ausgabe}")
endif()
file(STRINGS "${eintrag}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"${programm}\"")
  fehler("the entry starts '${exec}', not the installed ${programm}")
endif()
file(STRINGS "${eintrag}" symbol REGEX "^Icon=")
if(NOT symbol STREQUAL "Icon=promille")
  fehler("the entry's icon is '${symbol}'")
endif()

execute_process(COMMAND "${APPSTREAM}" validate --pedantic --no-net "${metainfo}"
                RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(NOT ergebnis EQUAL 0 OR NOT ausgabe MATCHES "^[^\n]*Validation was successful\\.\n?$")
  fehler("appstreamcli objects to ${metainfo}:\n${ausgabe}")
endif()
file(READ "${metainfo}" inhalt)
if(NOT inhalt MATCHES "<content_attribute id=\"drugs-alcohol\">"
   OR NOT inhalt MATCHES "<launchable type=\"desktop-id\">promille.desktop</launchable>")
  fehler("${metainfo} lacks the alcohol rating or the menu entry")
endif()

# The user's catalogue survives an update, also from bin/, where it once was.
file(RENAME "${katalog}" "${ZIEL}/bin/AlkoholSorten.txt")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BAU}" --prefix "${ZIEL}" OUTPUT_QUIET)
if(EXISTS "${ZIEL}/bin/AlkoholSorten.txt" OR NOT EXISTS "${katalog}")
  fehler("an install over the old layout did not move the catalogue from bin/")
endif()
file(WRITE "${katalog}" "\"Eigene Sorte\",\"7%\",\"330\"\r\n")
file(SHA256 "${katalog}" eigener)
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BAU}" --prefix "${ZIEL}"
                RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(NOT ergebnis EQUAL 0)
  fehler("second cmake --install failed:\n${ausgabe}")
endif()
file(SHA256 "${katalog}" danach)
if(NOT danach STREQUAL eigener)
  fehler("a second install replaced the user's catalogue")
endif()

# Staged for a package: everything under DESTDIR, once; the entry names the
# program where the package will put it.
file(REMOVE_RECURSE "${ZIEL}")
set(buehne "${ZIEL}/buehne")
set(ENV{DESTDIR} "${buehne}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BAU}" --prefix /opt/promille
                RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
unset(ENV{DESTDIR})
if(NOT ergebnis EQUAL 0)
  fehler("cmake --install with DESTDIR failed:\n${ausgabe}")
endif()
foreach(datei bin/promille lib/promille/AlkoholSorten.txt share/applications/promille.desktop
              share/metainfo/de.kavorin.promilleberechnung.metainfo.xml)
  if(NOT EXISTS "${buehne}/opt/promille/${datei}")
    fehler("with DESTDIR: missing ${buehne}/opt/promille/${datei}")
  endif()
endforeach()
file(GLOB_RECURSE alles RELATIVE "${buehne}" "${buehne}/*")
foreach(datei IN LISTS alles)
  if(NOT datei MATCHES "^opt/promille/")
    fehler("with DESTDIR: ${datei} lies outside the prefix")
  endif()
endforeach()
file(STRINGS "${buehne}/opt/promille/share/applications/promille.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"/opt/promille/bin/promille\"")
  fehler("with DESTDIR the entry starts '${exec}'")
endif()

file(REMOVE_RECURSE "${ZIEL}")
message(STATUS "installation: program, catalogue, desktop entry, metadata and icons in place")
