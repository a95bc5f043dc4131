# The Debian package velmora_<version>_<arch>.deb: CPack over the install rules, with the
# prefix /usr. tools/package.sh builds it from a clean Release tree and checks it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${VELMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_HOMEPAGE_URL}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cash book and allowance book for Japanese bookkeeping")
set(CPACK_PACKAGE_DESCRIPTION
"Velmora keeps Japanese cash books (genkin suitouchou) and allowance books
(okozukaichou). One ledger file holds one fiscal year: the cash book,
petty-cash books and bank books with their dated transactions and the
transfers between them. It sums them up by month and account title, draws
the income and expense graph, and prints ledgers exact to the millimetre on
plain paper, KOKUYO forms or into PDF files.

The package holds the desktop program velmora with its Japanese manual, and
velmora-cli, which works on the same ledger files from the command line.")
# The libraries the programs link (dpkg-shlibdeps), and what they load at run time: the
# Japanese fonts the print styles name, Qt's Japanese translations of its dialogs, and the
# SVG plugins that draw the ribbon's pictures.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipaexfont | fonts-noto-cjk, qt6-translations-l10n, libqt6svg6")
include(CPack)
