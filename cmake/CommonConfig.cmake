# One interface target carries the language level, warnings and Qt defines for every target.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_17)
target_compile_options(project_options INTERFACE -Wall -Wextra -Wpedantic)
if(WARNINGS_AS_ERRORS)
    target_compile_options(project_options INTERFACE -Werror)
endif()
target_compile_definitions(project_options INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_DEPRECATED_WARNINGS
    QT_DISABLE_DEPRECATED_BEFORE=0x050F00)
