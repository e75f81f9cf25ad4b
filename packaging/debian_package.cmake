# cpack -G DEB: omrix-print_<version>_amd64.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME omrix-print)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "omrix-print developers")
set(CPACK_PACKAGE_CONTACT "omrix-print developers <omrix-print@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "print module of a construction cost-estimating suite (内訳書出力)")
set(CPACK_PACKAGE_DESCRIPTION
    "Prints the itemized cost breakdown statement (内訳書) of one version of a\n\
project in one of five page layouts, with the estimate summary (見積要項), the\n\
construction overview (工事概要) and the unit-price tables (代価表), from the\n\
suite's SQLite or ODBC database. omrix-print is the desktop program,\n\
omrix-print-export the same print run to PDF without windows, omrix-db creates,\n\
fills and queries the tables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # <name>_<version>-<release>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages are found by dpkg-shlibdeps; the fonts the programs fall back
# to are named here: IPAex, then IPAmj Mincho (rare kanji) and Symbola (symbols, emoji)
# for the characters IPAex lacks.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipaexfont-gothic, fonts-ipaexfont-mincho, fonts-ipamj-mincho, fonts-symbola")
if(TARGET omrix-print)
  # The windows need a display's platform plugin (xcb); the export's offscreen one is in Qt Gui.
  # Qt's own dialogs and buttons speak Japanese with its translations.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins, qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "odbc-postgresql")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)

include(CPack)
