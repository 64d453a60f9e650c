# Lays the external tools out in the application folder under the names the application starts them by.
# "magick" is our own (helpers/magick); it hands what libvips does not do to ImageMagick 6's
# converter, which it finds here.
set(TOOL_LINKS
    "decoder/imagemagick/convert=convert"
    "pngquant.2.12.3=pngquant"
    "gifsicle=gifsicle"
    "decoder/common/ffmpeg=ffmpeg"
    # ImageMagick 6 reads HEIC without its alpha plane; libheif's converter keeps it.
    "decoder/heif/heif-convert=heif-convert"
    # Poppler's pdfinfo: a PDF's pages and their sizes, before ImageMagick renders them.
    "decoder/pdf/pdfinfo=pdfinfo")

set(tool_link_commands)
set(tool_install_script "")
foreach(entry IN LISTS TOOL_LINKS)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 link_name)
    list(GET pair 1 system_name)
    # /usr/bin first: a machine may carry look-alikes of these names elsewhere on PATH.
    find_program(TOOL_${system_name} NAMES ${system_name} PATHS /usr/bin NO_DEFAULT_PATH NO_CACHE)
    if(NOT TOOL_${system_name})
        message(WARNING "${system_name} not found: ${link_name} will be missing from the application folder")
        continue()
    endif()
    get_filename_component(link_dir "${link_name}" DIRECTORY)
    list(APPEND tool_link_commands
        COMMAND ${CMAKE_COMMAND} -E make_directory "${APP_DIR}/${link_dir}"
        COMMAND ${CMAKE_COMMAND} -E create_symlink "${TOOL_${system_name}}" "${APP_DIR}/${link_name}")
    string(APPEND tool_install_script
        "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${APP_INSTALL_DIR}/${link_dir}\")\n"
        "file(CREATE_LINK \"${TOOL_${system_name}}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${APP_INSTALL_DIR}/${link_name}\" SYMBOLIC)\n")
endforeach()

add_custom_target(tool_layout ALL ${tool_link_commands}
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/resources/config" "${APP_DIR}/config"
    COMMENT "Laying out the external tools in the application folder")
install(CODE "${tool_install_script}")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/config/" DESTINATION "${APP_INSTALL_DIR}/config")
# The application's "magick" comes with the layout.
add_dependencies(tool_layout magick)
