# The manual page has an entry under OPTIONS for every option of --help, and no entry for
# an option --help does not give: it cannot fall behind the option table.
execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE rc OUTPUT_VARIABLE help)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quorvel --help exited with ${rc}")
endif()
# --help: an option line starts with two spaces and the option, "-h, --help" for an alias.
string(REGEX MATCHALL "\n  (-[a-z], )?--[a-z-]+" lines "\n${help}")
set(in_help)
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "-?-[a-z][a-z-]*" names "${line}")
  list(APPEND in_help ${names})
endforeach()

# The manual page: an entry is a .TP paragraph whose tag line names the option in bold,
# with every hyphen written \-.
file(READ ${MAN_PAGE} page)
string(REGEX MATCHALL "\n\\.TP\n\\.B[IR]? [^\n]*" tags "${page}")
set(in_page)
foreach(tag IN LISTS tags)
  string(REPLACE "\\-" "-" tag "${tag}")
  string(REGEX MATCHALL " \"?-?-[a-z][a-z-]*" names "${tag}")
  foreach(name IN LISTS names)
    string(REGEX REPLACE "^ \"?" "" name "${name}")
    list(APPEND in_page ${name})
  endforeach()
endforeach()

if(NOT in_help)
  message(FATAL_ERROR "no option found in --help:\n${help}")
endif()
set(missing ${in_help})
list(REMOVE_ITEM missing ${in_page})
set(extra ${in_page})
list(REMOVE_ITEM extra ${in_help})
if(missing OR extra)
  message(FATAL_ERROR "quorvel.1 and --help differ: not in the manual page: ${missing}; "
    "in the manual page but not in --help: ${extra}")
endif()
