# The pictures of the Windows program file, drawn from the same SVG pictures at build time: every
# picture as an icon of every size that Explorer or a control at any DPI asks for (the largest kept
# as PNG inside the icon file), and the logo as a PNG at four times its size at 96 DPI.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)

set(windows_pictures)
foreach(picture program batch_file new open save about help exit folder waste_bin arrow_up
                arrow_down note)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/${picture}.ico)
    set(render_commands)
    set(bitmaps)
    foreach(size 16 24 32 48 64)
        set(bitmap ${CMAKE_CURRENT_BINARY_DIR}/${picture}-${size}.png)
        list(APPEND render_commands
             COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${bitmap}
                     ${CMAKE_CURRENT_SOURCE_DIR}/${picture}.svg)
        list(APPEND bitmaps ${bitmap})
    endforeach()
    set(large ${CMAKE_CURRENT_BINARY_DIR}/${picture}-256.png)
    add_custom_command(OUTPUT ${icon}
        ${render_commands}
        COMMAND ${RSVG_CONVERT} -w 256 -h 256 -o ${large} ${CMAKE_CURRENT_SOURCE_DIR}/${picture}.svg
        COMMAND ${ICOTOOL} --create --output=${icon} ${bitmaps} --raw=${large}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${picture}.svg
        VERBATIM)
    list(APPEND windows_pictures ${icon})
endforeach()
# The About box stretches the logo to 3045 by 840 twips, 203 by 56 pixels at 96 DPI.
set(logo ${CMAKE_CURRENT_BINARY_DIR}/logo.png)
add_custom_command(OUTPUT ${logo}
    COMMAND ${RSVG_CONVERT} -w 812 -h 224 -o ${logo} ${CMAKE_CURRENT_SOURCE_DIR}/logo.svg
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/logo.svg
    VERBATIM)
list(APPEND windows_pictures ${logo})

# The resource files that name these pictures find them, and runvoy.rc, here.
add_custom_target(runvoy_windows_pictures DEPENDS ${windows_pictures})
add_library(runvoy_windows_picture_files INTERFACE)
target_include_directories(runvoy_windows_picture_files INTERFACE ${CMAKE_CURRENT_BINARY_DIR}
                           ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(runvoy_windows_picture_files runvoy_windows_pictures)

# The program file's two icons alone, for programs that stand in for it.
add_library(runvoy_icons OBJECT runvoy.rc ${CMAKE_CURRENT_BINARY_DIR}/program.ico
            ${CMAKE_CURRENT_BINARY_DIR}/batch_file.ico)
target_include_directories(runvoy_icons PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
