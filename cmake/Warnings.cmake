# Warnings for the project's own targets; generated UNO headers are included as system headers.
function(pagewright_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual)
endfunction()
