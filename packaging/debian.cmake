# Debian package: cpack -G DEB, from a Release tree; the program is stripped.
set(CPACK_PACKAGE_NAME "dezenario")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
# Version 1.02 of the program, first revision of its package: a package that is
# not Debian's own keeps its history in changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_CONTACT "${DEZENARIO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [=[
O DEZENARIO analisa listas de apostas da Mega-Sena (dezenas de 01 a 60)
coladas na sua janela: tira os índices das linhas ("02)") e mostra quais
dezenas o conjunto usa, com a contagem. Também imprime as apostas em
volantes em branco na impressora padrão (CUPS), três jogos por volante e um
volante por folha.

DEZENARIO analyses lists of Mega-Sena lottery bets (numbers 01 to 60) pasted
into its window: it strips the line indexes ("02)") and lists the numbers
that the set uses, with their count. It also prints the bets onto blank bet
slips on the default printer (CUPS), three games a slip and one slip a sheet.]=])
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DEZENARIO_SITE_URL}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads besides its libraries: the font its layout is
# measured for, Qt's Portuguese texts, and the opener of the web site.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-extra, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
