# quorvel_gzip(<target> <source> <output>): <output> is <source> compressed as Debian wants
# its documentation: best compression, no name or time stamp in the header (gzip -n -9), so
# the same source gives the same bytes on every build. Built with `all`, so that an install
# finds it.
function(quorvel_gzip target source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -n -9 -c \"$1\" > \"$2\"" sh ${source} ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
