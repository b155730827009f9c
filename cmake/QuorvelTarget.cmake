# Common settings for every target of the project. Aggregates are written with designated
# initializers that leave the members not named at their defaults, on purpose: GCC 12 would
# warn of every member left out.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wdouble-promotion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -Wformat=2
  -Wno-missing-field-initializers
  $<$<BOOL:${QUORVEL_WERROR}>:-Werror>)

# quorvel_setup_target(<target>): C++20, project warnings.
function(quorvel_setup_target target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_link_libraries(${target} PRIVATE quorvel_warnings)
endfunction()
