# The browser page (web/), built by Emscripten as a project of its own inside this build: its
# system libraries are built from the Emscripten package's sources into a cache of the user's,
# and nothing is downloaded.
find_program(EMCMAKE_PROGRAM emcmake)
find_path(SEALVANE_NODE_MODULES acorn/package.json PATHS /usr/share/nodejs /usr/lib/nodejs NO_DEFAULT_PATH)
if(EMCMAKE_PROGRAM AND SEALVANE_NODE_MODULES)
    set(SEALVANE_WEB_DEFAULT ON)
else()
    set(SEALVANE_WEB_DEFAULT OFF)
endif()
option(WITH_WEB "Build the browser page sealvane-open.html (needs Emscripten)" ${SEALVANE_WEB_DEFAULT})
if(NOT WITH_WEB)
    return()
endif()
if(NOT EMCMAKE_PROGRAM OR NOT SEALVANE_NODE_MODULES)
    message(FATAL_ERROR "WITH_WEB needs Emscripten and its node modules (Debian's emscripten package)")
endif()

include(ExternalProject)
include(GNUInstallDirs)
# The system libraries take minutes to build: they are kept per user and Emscripten version, so
# every build folder and clone on this machine shares them.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(sealvane_user_cache $ENV{XDG_CACHE_HOME})
else()
    set(sealvane_user_cache $ENV{HOME}/.cache)
endif()
find_program(SEALVANE_EMCC emcc)
execute_process(COMMAND ${SEALVANE_EMCC} --version OUTPUT_VARIABLE sealvane_em_version ERROR_QUIET)
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" sealvane_em_version "${sealvane_em_version}")
set(SEALVANE_EM_CACHE ${sealvane_user_cache}/sealvane/emscripten-${sealvane_em_version} CACHE PATH
    "Emscripten's cache for the browser page")
set(SEALVANE_WEB_BINARY_DIR ${CMAKE_BINARY_DIR}/web/build)
set(SEALVANE_PAGE ${SEALVANE_WEB_BINARY_DIR}/sealvane-open.html)
# Debian's configuration freezes the shared cache; an empty EM_FROZEN_CACHE lifts that for ours.
set(SEALVANE_EM_ENV ${CMAKE_COMMAND} -E env EM_CACHE=${SEALVANE_EM_CACHE} EM_FROZEN_CACHE=
    NODE_PATH=${SEALVANE_NODE_MODULES})
ExternalProject_Add(sealvane-web
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/web
    BINARY_DIR ${SEALVANE_WEB_BINARY_DIR}
    CONFIGURE_COMMAND ${SEALVANE_EM_ENV} ${EMCMAKE_PROGRAM} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
        -G ${CMAKE_GENERATOR} -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${SEALVANE_EM_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR>
    INSTALL_COMMAND ""
    # The inner build decides what is out of date.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${SEALVANE_PAGE}
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)

install(FILES ${SEALVANE_PAGE} DESTINATION ${CMAKE_INSTALL_DATADIR}/sealvane)

if(WITH_TESTS)
    find_program(SEALVANE_CHROMIUM chromium)
    # With the desktop program, containers saved through its password dialog are opened too.
    set(SEALVANE_DIALOG_CONTAINERS)
    if(WITH_GUI)
        set(SEALVANE_DIALOG_CONTAINERS --dialog-container-maker $<TARGET_FILE:e2e-tests>)
    endif()
    add_test(NAME web_page
        COMMAND /usr/bin/python3 -X utf8 ${CMAKE_CURRENT_SOURCE_DIR}/web/tests/page_test.py --page ${SEALVANE_PAGE}
            --cli $<TARGET_FILE:sealvane-cli> --golden ${CMAKE_CURRENT_SOURCE_DIR}/tests/data/golden.xvt
            --golden5 ${CMAKE_CURRENT_SOURCE_DIR}/tests/data/golden5.xvt
            --chromium ${SEALVANE_CHROMIUM} --mislisted-writer $<TARGET_FILE:mislisted-container-writer>
            ${SEALVANE_DIALOG_CONTAINERS})
    set_tests_properties(web_page PROPERTIES TIMEOUT 300)
endif()
