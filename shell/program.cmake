# The program: the entry procedure with both working windows, its icon and desktop entry.
add_library(pw_program STATIC
    ${CMAKE_CURRENT_LIST_DIR}/mdlmain.h ${CMAKE_CURRENT_LIST_DIR}/mdlmain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/workingwindows.h ${CMAKE_CURRENT_LIST_DIR}/workingwindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resources/pagewright.qrc
)
# The windows are defined in split/ and merge/, which come after shell/.
target_link_libraries(pw_program PUBLIC pw_shell_ui pw_split_window pw_merge_window Qt6::Widgets)
pagewright_warnings(pw_program)

add_executable(pagewright ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(pagewright PRIVATE pw_program pw_word_lo)
pagewright_warnings(pagewright)

install(TARGETS pagewright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/resources/pagewright-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME pagewright.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/resources/pagewright.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
