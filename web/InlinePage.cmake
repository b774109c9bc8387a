# Puts the worker (the compiled core with its WebAssembly as base64) and the page's script, after
# the captions generated from the message table and the reader of format 5, into the page
# template: one HTML file that loads nothing else.
cmake_minimum_required(VERSION 3.25)
file(READ ${TEMPLATE} page)
file(READ ${CAPTIONS} captions)
file(READ ${SEALED_READER} reader)
file(READ ${PAGE_SCRIPT} script)
string(PREPEND script "${captions}${reader}")
file(READ ${WORKER} worker)
foreach(part script worker)
    # Either would end or change the script element the text is put in.
    foreach(marker "</script" "<!--")
        string(FIND "${${part}}" "${marker}" found)
        if(NOT found EQUAL -1)
            message(FATAL_ERROR "${part} holds ${marker} and cannot be inlined")
        endif()
    endforeach()
endforeach()
string(REPLACE "@PAGE_SCRIPT@" "${script}" page "${page}")
string(REPLACE "@WORKER_SCRIPT@" "${worker}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
