# The dump tool's command line: --help answers with the usage, and a name
# that looks like an option is refused instead of becoming a folder.
#   cmake -DTOOL=path/to/quillon-builtins -DWORK=scratch-folder -P check_builtinsdump.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures 0)

# expect(STATUS OUTPUT_REGEX ERROR_REGEX args...)
function(expect status out_regex err_regex)
    execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(problem "")
    if(NOT result STREQUAL "${status}")
        string(APPEND problem " exit ${result} (wanted ${status});")
    endif()
    if(NOT out MATCHES "${out_regex}")
        string(APPEND problem " standard output '${out}';")
    endif()
    if(NOT err MATCHES "${err_regex}")
        string(APPEND problem " standard error '${err}';")
    endif()
    if(problem)
        message(SEND_ERROR "quillon-builtins ${ARGN}:${problem}")
    endif()
endfunction()

expect(0 "^usage: quillon-builtins OUTDIR" "^$" --help)
expect(0 "^usage: quillon-builtins OUTDIR" "^$" -h)
expect(0 "^usage: quillon-builtins OUTDIR" "^$" out --help)
expect(2 "^$" "starting with \"-\".*usage: quillon-builtins OUTDIR" --out)
expect(2 "^$" "starting with \"-\".*usage: quillon-builtins OUTDIR" -o --text x)
expect(2 "^$" "usage: quillon-builtins OUTDIR")
expect(2 "^$" "usage: quillon-builtins OUTDIR" one two)
file(GLOB made LIST_DIRECTORIES true RELATIVE ${WORK} ${WORK}/*)
if(made)
    message(SEND_ERROR "wrong use made files: ${made}")
endif()

# --help as the text of the settings is text, not a request for help.
expect(0 "^$" "^$" ./-out --text --help)
if(NOT EXISTS ${WORK}/-out/00.head OR NOT EXISTS ${WORK}/-out/34.html)
    message(SEND_ERROR "./-out was not written")
endif()
file(REMOVE_RECURSE ${WORK})
