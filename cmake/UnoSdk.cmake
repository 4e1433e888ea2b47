# The UNO C++ API of the installed office. The headers of the office's own types are generated
# here, at build time, from the office's type libraries with the SDK's cppumaker.
find_path(UNO_SDK_INCLUDE_DIR NAMES sal/config.h
          PATHS /usr/lib/libreoffice/sdk/include /usr/include/libreoffice /opt/libreoffice/sdk/include
          REQUIRED)
find_program(UNO_CPPUMAKER NAMES cppumaker
             PATHS /usr/lib/libreoffice/sdk/bin /opt/libreoffice/sdk/bin REQUIRED)
find_file(UNO_TYPES_RDB NAMES types.rdb PATHS /usr/lib/libreoffice/program /opt/libreoffice/program
          NO_DEFAULT_PATH REQUIRED)
find_file(UNO_OFFAPI_RDB NAMES offapi.rdb PATHS /usr/lib/libreoffice/program/types
          /opt/libreoffice/program/types NO_DEFAULT_PATH REQUIRED)
find_path(UNO_SDK_LIB_DIR NAMES libuno_cppu.so
          PATHS /usr/lib/libreoffice/sdk/lib /opt/libreoffice/sdk/lib REQUIRED)

set(UNO_GENERATED_DIR ${CMAKE_BINARY_DIR}/uno-headers)
set(UNO_STAMP ${UNO_GENERATED_DIR}/.stamp)
add_custom_command(
    OUTPUT ${UNO_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${UNO_GENERATED_DIR}
    COMMAND ${UNO_CPPUMAKER} -Gc -O${UNO_GENERATED_DIR} ${UNO_TYPES_RDB} ${UNO_OFFAPI_RDB}
    COMMAND ${CMAKE_COMMAND} -E touch ${UNO_STAMP}
    DEPENDS ${UNO_TYPES_RDB} ${UNO_OFFAPI_RDB}
    COMMENT "Generating UNO C++ headers from the office's type libraries")
add_custom_target(uno_headers DEPENDS ${UNO_STAMP})

add_library(uno_sdk INTERFACE)
add_dependencies(uno_sdk uno_headers)
target_include_directories(uno_sdk SYSTEM INTERFACE ${UNO_SDK_INCLUDE_DIR} ${UNO_GENERATED_DIR})
target_compile_definitions(uno_sdk INTERFACE UNX GCC LINUX CPPU_ENV=gcc3)
target_link_directories(uno_sdk INTERFACE ${UNO_SDK_LIB_DIR})
target_link_libraries(uno_sdk INTERFACE uno_cppuhelpergcc3 uno_cppu uno_salhelpergcc3 uno_sal)

# The UNO runtime libraries need the office's private libraries, found beside its program.
get_filename_component(UNO_PROGRAM_DIR ${UNO_TYPES_RDB} DIRECTORY)
target_link_options(uno_sdk INTERFACE "LINKER:-rpath-link,${UNO_PROGRAM_DIR}" "LINKER:-rpath,${UNO_PROGRAM_DIR}")
