# Every library sees only its own folder and the folders of the libraries it links, so that the
# build refuses an include of a layer above it. Sources include "folder/File.h"; a library's
# public include path is a folder of the build holding one symbolic link, named like the source
# folder, to that folder, and nothing else of the source tree.

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH SEALVANE_SOURCE_ROOT)

# sealvane_include_folder(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>)
# Makes "<folder>/File.h" visible to <target> (and, PUBLIC or INTERFACE, to what links it).
function(sealvane_include_folder target scope folder)
    set(include_dir ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${include_dir})
    file(CREATE_LINK ${SEALVANE_SOURCE_ROOT}/${folder} ${include_dir}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${include_dir})
endfunction()

# sealvane_library(<name> <folder> [<library>...])
# A static library of sources in <folder> (given with target_sources), linking the libraries
# below it that it uses.
function(sealvane_library name folder)
    add_library(${name} STATIC)
    sealvane_include_folder(${name} PUBLIC ${folder})
    target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
