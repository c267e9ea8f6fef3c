# Runs at install time: writes the menu entry that starts Runvoy's editor from the program
# folder under the prefix being installed to, and installs it with the other files.
set(folder "${CMAKE_INSTALL_PREFIX}/${RUNVOY_PROGRAM_DIR}")

# Exec quoting of the Desktop Entry Specification; the string escapes follow below.
set(program "${folder}/runvoy")
foreach(character "\\" "\"" "`" "$")
    string(REPLACE "${character}" "\\${character}" program "${program}")
endforeach()
string(REPLACE "%" "%%" program "${program}")
set(RUNVOY_EXEC "\"${program}\"")
# GLib looks for the program before it undoes "%%"; env's own path holds no "%".
if(folder MATCHES "%")
    set(RUNVOY_EXEC "env ${RUNVOY_EXEC}")
endif()
string(REPLACE "\\" "\\\\" RUNVOY_EXEC "${RUNVOY_EXEC}")

set(RUNVOY_ICON "${folder}/runvoy.svg")
string(REPLACE "\\" "\\\\" RUNVOY_ICON "${RUNVOY_ICON}")

configure_file("${RUNVOY_MENU_ENTRY_TEMPLATE}" "${RUNVOY_MENU_ENTRY_FILE}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${RUNVOY_APPLICATIONS_DIR}" TYPE FILE
     FILES "${RUNVOY_MENU_ENTRY_FILE}")
