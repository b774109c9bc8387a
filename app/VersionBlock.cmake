# The version block: a marker with the four numbers of the file version, compiled into a program
# so that TEXEVersion can read it from the program file.
#
# sealvane_version_block(<target> <PRIVATE|INTERFACE> <major> <minor> <release> <build>)
# Each number must lie between 0 and 65535. With INTERFACE, every program linking the target
# carries the block.
function(sealvane_version_block target scope major minor release build)
    foreach(number IN ITEMS ${major} ${minor} ${release} ${build})
        if(NOT number MATCHES "^[0-9]+$" OR number GREATER 65535)
            message(FATAL_ERROR "Version number '${number}' of ${target} is not between 0 and 65535")
        endif()
    endforeach()
    set(SEALVANE_BLOCK_VERSION "${major}.${minor}.${release}.${build}")
    set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}-VersionBlock.cpp")
    configure_file("${PROJECT_SOURCE_DIR}/app/VersionBlock.cpp.in" "${generated}" @ONLY)
    target_sources(${target} ${scope} "${generated}")
endfunction()
