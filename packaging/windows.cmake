# The Windows program as it ships: the program, Qt's DLLs and the plugins it
# loads, the MinGW runtime, Qt's Portuguese texts and the licences, all in one
# folder; an NSIS installer (makensis, 64-bit) and a portable .zip of it.
# windeployqt cannot read Windows files on Linux, so what ships is listed here;
# the Wine test starts the program from an installed copy in a fresh prefix.
set(dest .)
install(TARGETS dezenario RUNTIME DESTINATION ${dest})
install(FILES
  $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
  DESTINATION ${dest})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${dest}/platforms)
install(FILES $<TARGET_FILE:Qt6::QJpegPlugin> DESTINATION ${dest}/imageformats) # the mark is a JPEG
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    find_file(path ${dll} PATHS ${CMAKE_FIND_ROOT_PATH} PATH_SUFFIXES lib bin NO_CACHE REQUIRED)
  endif()
  install(FILES ${path} DESTINATION ${dest})
  # Debian's copies carry their symbols: 24 MB for libstdc++ alone.
  install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dll}\")")
endforeach()

set(DEZENARIO_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Where qtbase_pt_BR.qm is (Debian's qt6-translations-l10n)")
install(FILES ${DEZENARIO_QT_TRANSLATIONS}/qtbase_pt_BR.qm DESTINATION ${dest}/translations)

# The licences: the program's own, and those of what it carries, as Debian states them.
# The program's own, in Portuguese, as the installer shows it (UTF-8 with a BOM, which NSIS reads
# whatever the system's code page).
configure_file(${PROJECT_SOURCE_DIR}/packaging/licenca.txt.in ${PROJECT_BINARY_DIR}/LICENCA.txt @ONLY)
set(licences
  "${PROJECT_BINARY_DIR}/LICENCA.txt:DEZENARIO.txt"
  "/usr/share/doc/fonts-dejavu-core/copyright:DejaVu.txt"
  "/usr/share/doc/libqt6core6/copyright:Qt.txt"
  "/usr/share/common-licenses/LGPL-3:LGPL-3.txt"
  "/usr/share/common-licenses/GPL-3:GPL-3.txt"
  "/usr/share/doc/gcc-mingw-w64-base/copyright:MinGW-GCC.txt"
  "/usr/share/doc/mingw-w64-common/copyright:MinGW-w64.txt"
  "/usr/share/doc/libminizip-dev/copyright:minizip.txt"
  "/usr/share/doc/libz-mingw-w64-dev/copyright:zlib.txt")
foreach(pair ${licences})
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  install(FILES ${source} DESTINATION ${dest}/licencas RENAME ${target})
endforeach()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME "DEZENARIO")
set(CPACK_PACKAGE_VENDOR "DEZENARIO")
set(CPACK_PACKAGE_FILE_NAME "DEZENARIO-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "DEZENARIO") # a new version replaces the old one
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "DEZENARIO") # and keeps its one entry in Apps
set(CPACK_PACKAGE_EXECUTABLES "dezenario;DEZENARIO")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_BINARY_DIR}/LICENCA.txt")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "DEZENARIO")
set(CPACK_NSIS_DISPLAY_NAME "DEZENARIO")
set(CPACK_NSIS_INSTALLED_ICON_NAME "dezenario.exe")
set(CPACK_NSIS_URL_INFO_ABOUT "${DEZENARIO_SITE_URL}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# Debian's makensis makes a 32-bit installer unless told otherwise. The installer carries the
# program's identity, for Explorer's Details and for SmartScreen, and its name where NSIS would
# show its own.
set(CPACK_NSIS_DEFINES [=[
Target amd64-unicode
!include FileFunc.nsh
BrandingText "DEZENARIO @PROJECT_VERSION@"
VIProductVersion @DEZENARIO_FILE_VERSION@
VIFileVersion @DEZENARIO_FILE_VERSION@
VIAddVersionKey /LANG=1046 ProductName "dezenario"
VIAddVersionKey /LANG=1046 ProductVersion "@DEZENARIO_FILE_VERSION@"
VIAddVersionKey /LANG=1046 FileVersion "@DEZENARIO_FILE_VERSION@"
VIAddVersionKey /LANG=1046 FileDescription "Instalador do DEZENARIO"
VIAddVersionKey /LANG=1046 CompanyName "DEZENARIO"
VIAddVersionKey /LANG=1046 LegalCopyright "Copyright (C) 2026 DEZENARIO. Todos os direitos reservados."
]=])
string(CONFIGURE "${CPACK_NSIS_DEFINES}" CPACK_NSIS_DEFINES @ONLY)
# An installed copy, of this version or an older one, is removed by its own uninstaller first,
# without a question: a Windows program updates in place, and what the old copy installed and
# this one does not would otherwise stay behind.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS [=[
  ReadRegStr $0 SHCTX "Software\DEZENARIO\DEZENARIO" ""
  StrCmp $0 "" 0 +2
    StrCpy $0 "$INSTDIR"
  IfFileExists "$0\Uninstall.exe" 0 +4
    ExecWait '"$0\Uninstall.exe" /S _?=$0'
    Delete "$0\Uninstall.exe"
    RMDir "$0"
  SetOutPath "$INSTDIR"
]=])
# CPack removes the key that names the folder, but not the publisher's key that holds it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "Software\DEZENARIO\DEZENARIO"
  DeleteRegKey /ifempty SHCTX "Software\DEZENARIO"
]=])
# What Apps shows beside the name: the size, and how to remove the program without questions.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\DEZENARIO" "EstimatedSize" $0
  WriteRegStr SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\DEZENARIO" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\DEZENARIO" "InstallLocation" "$INSTDIR"
]=])
set(CPACK_STRIP_FILES ON)
