# SPDX-License-Identifier: GPL-3.0-or-later
# Run by `cmake --install` and cpack: writes the menu and autostart entries straight into the
# installation, because they name the launcher where it is installed, which is known only then
# (--prefix, or the package's /usr). The autostart entry goes to the system's configuration
# folder (/etc for /usr, else <prefix>/etc) as a link to the copy under share/, so that
# removing the package removes it. Expects TARVENIX_SOURCE_DIR (this folder) and
# TARVENIX_INSTALL_DIR (the launcher's folder below the prefix).
set(TARVENIX_LAUNCHER "${CMAKE_INSTALL_PREFIX}/${TARVENIX_INSTALL_DIR}/Tarvenix")
set(entries "${CMAKE_INSTALL_PREFIX}/share")
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(autostart /etc/xdg/autostart)
else()
    set(autostart "${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart")
endif()

# install_entry(<template> <path>): the entry at <path> (below DESTDIR), filled in.
macro(install_entry template path)
    file(READ "${TARVENIX_SOURCE_DIR}/${template}" entry)
    string(CONFIGURE "${entry}" entry @ONLY)
    message(STATUS "Installing: $ENV{DESTDIR}${path}")
    file(WRITE "$ENV{DESTDIR}${path}" "${entry}")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${path}")
endmacro()

install_entry(tarvenix.desktop.in "${entries}/applications/tarvenix.desktop")
install_entry(tarvenix-launcher.desktop.in "${entries}/tarvenix/tarvenix-launcher.desktop")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${autostart}")
message(STATUS "Installing: $ENV{DESTDIR}${autostart}/tarvenix-launcher.desktop")
file(CREATE_LINK "${entries}/tarvenix/tarvenix-launcher.desktop"
     "$ENV{DESTDIR}${autostart}/tarvenix-launcher.desktop" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${autostart}/tarvenix-launcher.desktop")
