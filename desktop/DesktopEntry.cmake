# Writes the desktop entry at install time, when the final place of the
# program is known (a --prefix given to `cmake --install` included).
#   VORLAGE  the entry with @PROGRAMM@ where the program's path goes
#   PROGRAMM absolute path of the installed program, without DESTDIR
#   ZIEL     directory the entry is written to, with DESTDIR
#
# Exec takes the path in double quotes, inside which \ " ` $ need a
# backslash and % is doubled; the entry's string escaping then doubles
# every backslash once more. TryExec is a plain string: only \ is escaped.
cmake_policy(PUSH)
# "@PROGRAMM@" below is a literal placeholder, not a variable reference.
cmake_policy(SET CMP0053 NEW)
string(REPLACE "\\" "\\\\" exec "${PROGRAMM}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\\" "\\\\" tryexec "${PROGRAMM}")

file(READ "${VORLAGE}" eintrag)
string(REPLACE "\"@PROGRAMM@\"" "\"${exec}\"" eintrag "${eintrag}")
string(REPLACE "@PROGRAMM@" "${tryexec}" eintrag "${eintrag}")
file(MAKE_DIRECTORY "${ZIEL}")
message(STATUS "Installing: ${ZIEL}/promille.desktop")
file(WRITE "${ZIEL}/promille.desktop" "${eintrag}")
cmake_policy(POP)
