# `make package`: Debian packages through CPack, one for each install component:
#   scrivlet         the program, scriv, and everything that puts them on the desktop
#   libscrivlet1     the shared library (named after its SONAME, as Debian's policy asks)
#   libscrivlet-dev  the header, the link-time symlink and scrivlet.pc
#   scrivlet-nautilus, scrivlet-nemo, scrivlet-kde  the file-manager modules (SCRIVLET_EXTENSIONS)
# Dependencies on system libraries are computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrivlet)
set(CPACK_PACKAGE_VENDOR "The Scrivlet developers")
set(CPACK_PACKAGE_CONTACT "The Scrivlet developers <support@scrivlet.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://scrivlet.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL program library development)
if(SCRIVLET_EXTENSIONS)
    list(APPEND CPACK_COMPONENTS_ALL nautilus nemo kde)
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON) # only the package holding the library gets one
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME scrivlet)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
# Both programs load the library by name at run time, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "libscrivlet1 (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION [=[attaches free-text comments to files, inside the files
Scrivlet keeps a comment inside the file it describes, as a short trailer
after the file's own bytes, so the comment survives copies, mail, archives
and USB sticks, where extended attributes and sidecar files are lost.
The window lists files and folders (from Browse, drops, the command line or
the file managers' right-click menus) and saves one comment into
every ticked file; scriv reads, writes, removes and finds comments from
scripts.]=])

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libscrivlet1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION [=[comment store library of Scrivlet
libScrivlet reads, writes and removes the comment that Scrivlet keeps as a
trailer at the end of a file, through plain C calls. A change to a file is
all or nothing, and the file's own bytes are never rewritten.]=])

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libscrivlet-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libscrivlet1 (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION [=[comment store library of Scrivlet - development files
The header scrivlet.h, the link-time library and scrivlet.pc for building C
and C++ programs that read and write the comments Scrivlet keeps inside
files.]=])

# The file-manager modules. Each links libScrivlet, which no installed package declares yet while
# the packages are made: dpkg-shlibdeps finds it in the build and the dependency is stated here.
# Enhances, not Depends, on the file manager: depending on it would pull a whole desktop in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_NAUTILUS_PACKAGE_NAME scrivlet-nautilus)
set(CPACK_DEBIAN_NAUTILUS_PACKAGE_SECTION gnome)
set(CPACK_DEBIAN_NAUTILUS_PACKAGE_DEPENDS "libscrivlet1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_NAUTILUS_PACKAGE_ENHANCES nautilus)
set(CPACK_COMPONENT_NAUTILUS_DESCRIPTION [=[Scrivlet comments in Nautilus
A Nautilus module that shows the first line of each file's Scrivlet comment
in a Comment column of the list view, and adds "Comment with Scrivlet" to
the menu of the selected files and folders (it starts the scrivlet program,
from the scrivlet package).]=])

set(CPACK_DEBIAN_NEMO_PACKAGE_NAME scrivlet-nemo)
set(CPACK_DEBIAN_NEMO_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_NEMO_PACKAGE_DEPENDS "libscrivlet1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_NEMO_PACKAGE_ENHANCES nemo)
set(CPACK_COMPONENT_NEMO_DESCRIPTION [=[Scrivlet comments in Nemo
A Nemo module that shows the first line of each file's Scrivlet comment in a
Comment column of the list view and the whole comment in a Comment tab of
the file's properties, and adds "Comment with Scrivlet" to the menu of the
selected files and folders when the scrivlet package's action is absent.]=])

set(CPACK_DEBIAN_KDE_PACKAGE_NAME scrivlet-kde)
set(CPACK_DEBIAN_KDE_PACKAGE_SECTION kde)
set(CPACK_DEBIAN_KDE_PACKAGE_DEPENDS "libscrivlet1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_KDE_PACKAGE_ENHANCES "dolphin, baloo-kf5")
set(CPACK_COMPONENT_KDE_DESCRIPTION [=[Scrivlet comments in Dolphin and KDE desktop search
A KFileMetaData extractor that reports each file's Scrivlet comment as the
file's comment, shown in Dolphin's Information panel, and hands its text to
Baloo, so desktop search finds files by their comment.]=])

include(CPack)
