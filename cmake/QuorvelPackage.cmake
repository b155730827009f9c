# The Debian package, written by CPack from the install rules: the program, its menu entry,
# icons, plan file type and manual page, with the copyright file and changelog Debian asks
# for. `cmake --workflow --preset package` builds it into build/package.
set(quorvel_contact "The Quorvel developers <maintainers@users.noreply.c-seed-9fce171b.example>")
set(quorvel_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvel)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${quorvel_doc_dir})
# The version has no Debian revision, so Debian reads the package as native and looks for
# changelog.gz, not changelog.Debian.gz. Its date is the configure run's, or
# SOURCE_DATE_EPOCH's for a reproducible build.
string(TIMESTAMP QUORVEL_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in
  ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
include(${CMAKE_CURRENT_LIST_DIR}/QuorvelGzip.cmake)
quorvel_gzip(quorvel_changelog ${PROJECT_BINARY_DIR}/debian/changelog
  ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${quorvel_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
# All four parts: CPack's default would drop the last.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${quorvel_contact})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "frequency planner for sampled RF signal chains")
# Lines of at most 79 characters as the package shows them, with its one space in front.
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvel shows where the harmonics of a signal in an IF band land once
sampling at Fs folds them into the first Nyquist zone, and whether they meet
the IF band or the RF band around it. Its window redraws the folding chart
and the harmonic band chart after every change of Fs, the IF, the bands or
the number of harmonics.

It also finds the sample rates and IFs free of spurs, models the spurs of
interleaved converters, clock spurs and interferers, and names the peaks of
a measured spectrum. From the command line it exports the charts as PNG,
SVG or PDF and the band table, alias lines and spur ledger as CSV, with no
display needed.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the program links (Qt's among them); the window also
# needs Qt's platform plugins, which the libraries only recommend.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)
