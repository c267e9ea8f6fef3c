# The icons of the Windows program file, drawn from the same SVG pictures at build time: every
# size that Explorer asks for, the largest kept as PNG inside the icon file.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)

set(windows_icons)
foreach(picture program batch_file)
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
    list(APPEND windows_icons ${icon})
endforeach()

# Linked into the program file; the icons are listed so that they are made before the resource
# file is compiled.
add_library(runvoy_icons OBJECT runvoy.rc ${windows_icons})
target_include_directories(runvoy_icons PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
