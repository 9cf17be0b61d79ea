# The usual hardening of the optimised builds (Release, RelWithDebInfo,
# MinSizeRel), as Debian's packages have it: checked string and memory
# functions (_FORTIFY_SOURCE needs the optimiser), stack protection, and
# relocations made read-only and bound at start.  Compilers that define
# _FORTIFY_SOURCE themselves get it redefined without a warning.
set(_quillon_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
add_compile_options(
    "$<${_quillon_optimised}:-U_FORTIFY_SOURCE>"
    "$<${_quillon_optimised}:-D_FORTIFY_SOURCE=2>"
    "$<${_quillon_optimised}:-fstack-protector-strong>")
add_link_options("$<${_quillon_optimised}:LINKER:-z,relro,-z,now>")
